// The command line of inline-patterns.
#pragma once

#include <string>
#include <vector>

enum class HFormat { Text, Json, JUnit, Sarif, Html };

struct HOptions {
  std::vector<std::string> paths;  // one project each, the first is the current project
  std::string modulePath;          // empty: HInstallPaths::Module()
  std::string globalFolder;        // empty: HAddInHost::DefaultGlobalFolder()
  std::string projectRules;        // empty: each project's own rule file
  std::string baseFolder;          // what SARIF locations are relative to; empty: the current folder
  std::string baseline;            // report only the violations that this baseline file does not hold
  std::string writeBaseline;       // record the run's violations as a baseline file
  std::string targetLanguage;      // of the files that declare none; empty: their units get common rules
  HFormat format = HFormat::Text;
  size_t jobs = 0;        // worker processes; 0: one per processor
  size_t shardIndex = 0;  // --shard K/N: this run checks every Nth file from the Kth (K - 1 here)
  size_t shardCount = 1;
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
