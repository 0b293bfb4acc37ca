#pragma once
// quarn-sim's command line run in this process, from `folder` as its working
// folder, with `script` on its standard input.

#include <ostream>
#include <string>
#include <vector>

int RunQuarnSim(const std::string& folder, std::vector<std::string> arguments,
                const std::string& script, std::ostream& out, std::ostream& err);
