// Where the program finds the files installed with it: the add-in module, the bundled rule set, the README.
#pragma once

#include <filesystem>

// Every path is relative to the program's own file, so an install tree works under /usr, ~/.local or any
// folder it is moved to. The build tree's files serve only the programs of the build tree itself.
class HInstallPaths {
 public:
  // The folder that holds the running program.
  static std::filesystem::path ProgramFolder();
  // ZAKRegExChecks.zak: beside the program, in the install tree's library folder, or of this build tree.
  static std::filesystem::path Module();
  // The folder of the bundled rule set's settings.ini: the install tree's, or the sources' for the build.
  static std::filesystem::path BundledRulesFolder();
  // README.md: the install tree's documentation, or the sources'.
  static std::filesystem::path Readme();
};
