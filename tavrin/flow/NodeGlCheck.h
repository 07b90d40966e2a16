#pragma once

#include <string>

namespace Tavrin::Flow {

class Node;

// While Orvane::GlErrorCheck is enabled, GL errors are reported against the flow node that drew
// when they were raised. Nodes are known by the names the loader gives them ("file:line <quad>");
// names are only kept while checking is on.
void nameNodeForGlChecks(const Node& node, std::string name);
void checkGlAfter(const Node& node);

}
