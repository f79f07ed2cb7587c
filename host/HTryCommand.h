// `inline-patterns try`: one rule, named or given by its pattern, tried on a sample pair.
#pragma once

#include <string>
#include <vector>

#include "HConsole.h"

namespace HTryCommand {

// The exit status: 0 no violation, 1 violations, 2 usage or input/output error (thrown as HError).
int Run(const std::vector<std::string>& arguments, const HConsole& console);
const char* Usage();

}  // namespace HTryCommand
