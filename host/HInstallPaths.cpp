// HInstallPaths: the program's own folder, and the install tree's layout relative to it.
#include "HInstallPaths.h"

#include <initializer_list>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The program of the build and the test programs that link the host.
bool IsBuildTree(const fs::path& folder) {
  std::error_code error;
  const fs::path build = fs::weakly_canonical(IP_BUILD_TREE, error);
  const fs::path relative = fs::weakly_canonical(folder, error).lexically_relative(build);
  return !error && !relative.empty() && *relative.begin() != "..";
}

fs::path FirstExisting(std::initializer_list<fs::path> candidates) {
  std::error_code error;
  for (const fs::path& candidate : candidates)
    if (fs::exists(candidate, error)) return candidate;
  return *candidates.begin();
}

}  // namespace

fs::path HInstallPaths::ProgramFolder() {
  std::error_code error;
  return fs::read_symlink("/proc/self/exe", error).parent_path();
}

fs::path HInstallPaths::Module() {
  const fs::path program = ProgramFolder();
  const fs::path beside = program / "ZAKRegExChecks.zak";
  if (IsBuildTree(program)) return FirstExisting({beside, IP_BUILD_MODULE_PATH});
  return FirstExisting(
      {beside, (program / IP_INSTALL_MODULE_FOLDER / "ZAKRegExChecks.zak").lexically_normal()});
}

fs::path HInstallPaths::BundledRulesFolder() {
  const fs::path program = ProgramFolder();
  if (IsBuildTree(program)) return fs::path(IP_SOURCE_FOLDER) / "examples" / "global";
  return (program / IP_INSTALL_RULES_FOLDER).lexically_normal();
}

fs::path HInstallPaths::Readme() {
  const fs::path program = ProgramFolder();
  if (IsBuildTree(program)) return fs::path(IP_SOURCE_FOLDER) / "README.md";
  return (program / IP_INSTALL_DOC_FOLDER / "README.md").lexically_normal();
}
