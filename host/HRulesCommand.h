// `inline-patterns rules ...`: the rule files from the command line (init, list, add, set, delete, rename,
// enable, disable, import, export, test), written with the module's own rule-file code.
#pragma once

#include <string>
#include <vector>

#include "HConsole.h"

namespace HRulesCommand {

// The arguments after "rules". The exit status: 0 done, 1 failed samples, 2 usage or input/output error
// (thrown as HError).
int Run(const std::vector<std::string>& arguments, const HConsole& console);

}  // namespace HRulesCommand
