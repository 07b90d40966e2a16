#pragma once

#include <functional>
#include <string>
#include <vector>

namespace AssetKit {

// The shared frame of every generator program: checks the argument count (printing the usage and
// returning 2), runs the body with the arguments, and turns an error into its message on stderr
// and exit status 1, so the build stops with a clear line.
int runGenerator(int argc, char** argv, const std::string& usage,
                 const std::function<void(const std::vector<std::string>& arguments)>& body);

}
