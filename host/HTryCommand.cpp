// `try`: finds or builds the rule, tries it on the pair and prints what the test pane shows, with the
// matches highlighted in both texts on a colour terminal.
#include "HTryCommand.h"

#include <memory>

#include "HArguments.h"
#include "HError.h"
#include "HRuleChange.h"
#include "HRuleFiles.h"
#include "HRuleTrial.h"
#include "support/KUtf8.h"

namespace {

constexpr const char* kHighlight = "\x1b[1;4;33m";
constexpr const char* kPlain = "\x1b[0m";

std::string Highlighted(const std::u16string& text, const std::vector<HRuleTrial::Match>& matches) {
  std::string line;
  size_t position = 0;
  for (const HRuleTrial::Match& match : matches) {
    line += Utf16ToUtf8(std::u16string_view(text).substr(position, match.start - position));
    line += kHighlight + Utf16ToUtf8(std::u16string_view(text).substr(match.start, match.length)) + kPlain;
    position = match.start + match.length;
  }
  return line + Utf16ToUtf8(std::u16string_view(text).substr(position));
}

}  // namespace

int HTryCommand::Run(const std::vector<std::string>& arguments, const HConsole& console) {
  HArguments args(arguments);
  if (args.Switch({"-h", "--help"})) {
    console.out << Usage();
    return 0;
  }
  std::string globalFolder, project, language, source, translation;
  args.Value("--global-dir", globalFolder);
  args.Value("--project", project);
  args.Value("--language", language);
  if (!args.Value("--source", source) || !args.Value("--translation", translation))
    throw HError("try needs --source TEXT and --translation TEXT");
  const HRuleChange change = HRuleChange::Take(args);
  const std::vector<std::string> names = args.Operands(0, 1, "one rule name or --pattern");
  if (names.empty() && !change.pattern) throw HError("try needs a rule name or --pattern");

  HRuleFiles files(globalFolder, project, language);
  std::unique_ptr<CRegExRule> rule =
      names.empty() ? std::make_unique<CRegExRule>() : files.FindRule(names[0]);
  if (names.empty()) rule->Name = u"try";
  change.ApplyTo(*rule);
  HRuleTrial trial;
  const HRuleTrial::Outcome outcome = trial.Try(*rule, source, translation);
  for (const std::string& violation : outcome.violations) console.out << violation << "\n";
  console.out << outcome.summary;
  if (console.colour) {
    console.out << "source:      " << Highlighted(outcome.source, outcome.sourceMatches) << "\n"
                << "translation: " << Highlighted(outcome.translation, outcome.translationMatches) << "\n";
  }
  return outcome.violations.empty() ? 0 : 1;
}

const char* HTryCommand::Usage() {
  return R"(Usage: inline-patterns try RULE|--pattern P [RULE OPTIONS] --source TEXT --translation TEXT

Tries one rule, active whatever its file says, on a sample source and translation with the add-in's own
rule check, and prints what the rule editor's test pane shows: each violation, or "OK", a separator,
then the rule's matches in the source and in the translation. On a colour terminal the two texts follow,
with the matches highlighted.

RULE is a rule of the global rule file (the bundled set when there is none), then of the project's;
without RULE, --pattern P makes a new rule. The rule options change the rule before the try:
  --pattern P                      the text or regular expression to search
  --regex, --literal               a regular expression (PCRE2) or a literal text (the default)
  --case, --ignore-case            case-sensitive (the default) or not
  --method M                       exist-if-in-source, must-not-exist, must-exist or none (the default)
  --count, --text, --order         the translation has as many matches, the same texts, in the same
                                   order; each counts only with the one before it (--no-count etc.)
  --with-tags, --without-tags      check the texts with their inline tags or without (the default)

Options:
  --global-dir DIR   folder of the global rule file (default ~/.config/inline-patterns)
  --project DIR      the project whose rule file holds RULE
  --language LANG    the project's rules for the target language LANG, laid over its common ones
  -h, --help         print this help

Exit status: 0 no violation, 1 violations, 2 usage or input/output error.
)";
}
