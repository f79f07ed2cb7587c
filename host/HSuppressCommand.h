// `inline-patterns suppress FILE UNIT RULE`: writes a reviewed exception into a PO or XLIFF file.
#pragma once

#include <string>
#include <vector>

#include "HConsole.h"

namespace HSuppressCommand {

// The file's text with the suppression of RULE (empty: every rule) written for the unit, every other byte
// as it was; the path names the file's kind. Throws HError when the text has no such unit.
std::string Suppressed(const std::string& path, const std::string& text, const std::string& unitId,
                       const std::string& rule);
// The exit status: 0 written or already there, 2 usage or input/output error (thrown as HError).
int Run(const std::vector<std::string>& arguments, const HConsole& console);
const char* Usage();

}  // namespace HSuppressCommand
