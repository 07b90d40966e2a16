#include "tavrin/flow/NodeGlCheck.h"

#include "orvane/GlErrorCheck.h"
#include "tavrin/flow/Node.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <unordered_map>

namespace Tavrin::Flow {

namespace {

std::unordered_map<const Node*, std::string>& names()
{
    static std::unordered_map<const Node*, std::string> byNode;
    return byNode;
}

std::string typeNameOf(const Node& node)
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> readable(
        abi::__cxa_demangle(typeid(node).name(), nullptr, nullptr, &status), &std::free);
    return "a " + std::string(status == 0 ? readable.get() : typeid(node).name());
}

}

void nameNodeForGlChecks(const Node& node, std::string name)
{
    if (Orvane::GlErrorCheck::enabled())
        names()[&node] = std::move(name);
}

void checkGlAfter(const Node& node)
{
    auto named = names().find(&node);
    Orvane::GlErrorCheck::check(named != names().end() ? named->second : typeNameOf(node));
}

}
