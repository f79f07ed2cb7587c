// Rule files as a host sees them through the exports: the legacy fallback of the global rules, and a
// damaged file that leaves the module usable.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/FileBytes.h"
#include "common/TestHost.h"
#include "support/KUtf8.h"

namespace {

namespace fs = std::filesystem;

// A "must not exist" rule named name for the pattern, as UTF-8 lines of the current format.
std::string MustNotExist(const std::string& name, const std::string& pattern) {
  return "[Pattern-00]\nName=" + name + "\nPattern=" + pattern + "\nRegEx=1\nCheckMethod=2\n";
}

class RuleFileAcceptance : public testing::Test {
 protected:
  void SetUp() override {
    site.folder = site.Root() / "addin";
    fs::create_directories(site.folder);
    uint32_t table[13] = {};
    module.LoadAddIn(table);
    std::vector<uint8_t> description(848);
    module.Initialize(description.data(), &host, &site);
    token.plainSource = u"a";
    token.plainTranslation = u"x 1";
  }

  // The names of the rules broken by one final run over the token.
  std::vector<std::string> BrokenRules(IHostProject* project = nullptr) {
    run.project = project;
    run.messages.clear();
    EXPECT_EQ(module.BeginCheckTokens(0, &run), 0);
    EXPECT_EQ(module.CheckToken(&token, 0, &options), 0);
    EXPECT_EQ(module.EndCheckTokens(0, &run), 0);
    std::vector<std::string> names;
    for (const auto& message : run.messages) {
      const std::string text = Utf16ToUtf8(message.text);
      const size_t open = text.find('"');
      names.push_back(text.substr(open + 1, text.find('"', open + 1) - open - 1));
    }
    return names;
  }

  fs::path GlobalFile() const { return site.folder / "settings.ini"; }

  testhost::TestAddInHost host;
  testhost::TestSite site;
  testhost::TestCheckRun run;
  testhost::TestToken token;
  testhost::TestCheckOptions options;
  testhost::ModuleLoader module;
};

TEST_F(RuleFileAcceptance, GlobalRulesFallBackToTheLegacyFolder) {
  fs::create_directory(site.Root() / "RegExChecks");
  WriteFileBytes(site.Root() / "RegExChecks" / "settings.ini",
                 "[RegExChecks]\r\n1=\"Legacy\",\"x\",\"1\",\"0\",\"1\",\"1\"\r\n");
  EXPECT_EQ(BrokenRules(), std::vector<std::string>{"Legacy"});

  WriteFileBytes(GlobalFile(), "\xEF\xBB\xBF" + MustNotExist("Own", "\\d"));
  EXPECT_EQ(BrokenRules(), std::vector<std::string>{"Own"});
}

TEST_F(RuleFileAcceptance, DamagedFileLeavesTheModuleUsable) {
  // F0 starts no character the reader knows: reading stops there with an error inside the module.
  WriteFileBytes(GlobalFile(), "\xEF\xBB\xBF" + MustNotExist("Before", "x") + MustNotExist("After\xF0", "1"));
  EXPECT_EQ(BrokenRules(), std::vector<std::string>{"Before"});  // the rules in front of the damage count
  EXPECT_EQ(host.created, host.destroyed) << "an expression object outlived the check";

  WriteFileBytes(GlobalFile(), "\xEF\xBB\xBF" + MustNotExist("Before", "x") + MustNotExist("After", "1"));
  EXPECT_EQ(BrokenRules(), (std::vector<std::string>{"Before", "After"}));
  EXPECT_EQ(host.created, host.destroyed);
}

}  // namespace
