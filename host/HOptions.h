// The command line of inline-patterns.
#pragma once

#include <string>
#include <vector>

enum class HFormat { Text, Json, JUnit, Sarif };

struct HOptions {
  std::vector<std::string> paths;  // one project each, the first is the current project
  std::string modulePath;          // empty: HInstallPaths::Module()
  std::string globalFolder;        // empty: HAddInHost::DefaultGlobalFolder()
  std::string projectRules;        // empty: each project's own rule file
  std::string baseFolder;          // what SARIF locations are relative to; empty: the current folder
  std::string targetLanguage;      // of the files that declare none; empty: their units get common rules
  HFormat format = HFormat::Text;
  bool checkUntranslated = false;  // check units that nobody has translated yet as well
  bool verbose = false;
  bool quiet = false;
  bool strict = false;  // a rule that may have missed something (see HWarning) fails the run
  // A suppression that suppresses nothing fails the run.
  bool strictSuppressions = false;
  bool help = false;
  bool version = false;

  // Throws HError with a message for the user when the arguments make no sense.
  static HOptions Parse(const std::vector<std::string>& arguments);
  static const char* Usage();
};
