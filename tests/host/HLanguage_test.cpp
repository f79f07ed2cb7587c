// Per-language rules: which language folders a tag finds, and the rules a unit gets in a check.
#include "HLanguage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "HApplication.h"
#include "HostTestFiles.h"

namespace {

TEST(HLanguage, FindsTheLanguageFoldersMostSpecificFirst) {
  HostTestFiles files;
  const std::string common = files.Write("r/settings.ini", "");
  for (const char* folder : {"pt", "PT_br", "zh", "zh-Hant", "pt-BR-x"})
    files.Write(std::string("r/") + folder + "/settings.ini", "");
  // A tag and the folders whose rule files it finds, in that order.
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {{"pt-BR", "PT_br pt "}, {" pt_br ", "PT_br pt "},
      {"pt-PT", "pt "}, {"ptx", ""}, {"zh-Hant-TW", "zh-Hant zh "}, {"", ""}, {"pt-BR-x", "pt-BR-x PT_br pt "}};
  // clang-format on
  for (const auto& [tag, folders] : cases) {
    std::string found;
    for (const std::string& file : HLanguage::RuleFiles(common, tag))
      found += std::filesystem::path(file).parent_path().filename().string() + " ";
    EXPECT_EQ(found, folders) << tag;
  }
  EXPECT_EQ(HLanguage::RuleFile(common, "pt_BR"), files.Path("r/PT_br/settings.ini"));
}

// Common rules once, a language's replacing the one of the same name, the language from each file format
// or the command line; the user's rule files stay as they were.
TEST(HLanguage, EachUnitGetsTheCommonRulesAndItsLanguages) {
  HostTestFiles files;
  files.Write("global/settings.ini", Rule("Ellipsis", "...", 0, 2));  // plain texts that must not appear
  const std::string common = Rule("Quotes", "Q", 0, 2) + Rule("Zed", "Z", 0, 2);
  files.Write("p/.inline-patterns/settings.ini", common);
  files.Write("p/.inline-patterns/de/settings.ini", Rule("Quotes", "D", 0, 2));
  files.Write("p/.inline-patterns/pt/settings.ini", Rule("Bang", "!", 0, 2));
  const std::string po = "msgid \"\"\nmsgstr \"Language: de_DE\\n\"\n\nmsgid \"a\"\nmsgstr \"QDZ!...\"\n";
  files.Write("p/de.po", po);
  files.Write("p/none.po", po.substr(po.find("\n\n")));
  const std::string unit = "<source>a</source><target>QDZ!</target>";
  files.Write("p/pt.xlf", "<xliff><file target-language=\"pt-BR\"><trans-unit id=\"u\">" + unit +
                              "</trans-unit></file></xliff>");
  files.Write("p/fr.xlf",
              "<xliff trgLang=\"fr\"><unit id=\"u\"><segment>" + unit + "</segment></unit></xliff>");
  std::ostringstream out, err;
  const int status = HApplication(out, err, false, false)
                         .Run({"--module", IP_MODULE_PATH, "--global-dir", files.Path("global"),
                               "--target-language", "DE", files.Path("p")});
  EXPECT_EQ(status, HApplication::kViolations) << err.str();
  std::string found;
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);)
    found += line.substr(files.Path("p/").size(), line.find(':') - files.Path("p/").size()) + " " +
             line.substr(line.rfind('[')) + "\n";
  EXPECT_EQ(found,
            "de.po [Ellipsis]\nde.po [Quotes]\nde.po [Zed]\n"
            "fr.xlf [Quotes]\nfr.xlf [Zed]\n"
            "none.po [Ellipsis]\nnone.po [Quotes]\nnone.po [Zed]\n"
            "pt.xlf [Quotes]\npt.xlf [Zed]\npt.xlf [Bang]\n");
  EXPECT_EQ(ReadFileBytes(files.Path("p/.inline-patterns/settings.ini")), common);
}

}  // namespace
