// The rules subcommands: each takes its options, loads the rule file it works on, and writes it back.
#include "HRulesCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "HArguments.h"
#include "HError.h"
#include "HRuleChange.h"
#include "HRuleFiles.h"
#include "HRuleJson.h"
#include "HRuleSamples.h"
#include "HRuleTrial.h"
#include "support/KUtf8.h"

namespace fs = std::filesystem;

namespace {

// What every subcommand is handed: its arguments with the file options taken, and where to write.
struct HContext {
  HArguments& args;
  const HConsole& console;
  std::string globalFolder;
  std::string project;
  std::string language;
  std::unique_ptr<HRuleFiles> rules;

  // Made once the command has taken its project: it sets the module's host context up for the rule code.
  HRuleFiles& Files() {
    if (!rules) rules = std::make_unique<HRuleFiles>(globalFolder, project, language);
    return *rules;
  }
  bool ToProject() const { return !project.empty(); }
  // Commands that read both files name the project as an operand, as well as by --project.
  void TakeProjectOperand() {
    const std::vector<std::string> operands = args.Operands(0, 1, "at most one PROJECT");
    if (!operands.empty()) project = operands[0];
  }
};

struct HSubcommand {
  const char* name;
  int (*run)(HContext&);
  const char* usage;
  const char* help;
};

std::unique_ptr<HRuleList> LoadTarget(HContext& context) {
  return context.Files().Load(context.ToProject());
}

int SaveTarget(HContext& context, CRegExList& list, const std::string& what) {
  const std::string path = context.Files().Save(list);
  context.console.err << "inline-patterns: " << what << " in " << path << "\n";
  return 0;
}

CRegExRule& RuleNamed(HRuleList& list, const std::string& name) {
  const int index = list.IndexOf(name);
  if (index < 0) throw HError("no rule named \"" + name + "\"");
  return *list.GetAt(index);
}

std::string Quoted(const std::string& name) {
  return "rule \"" + name + "\"";
}

int Init(HContext& context) {
  const bool force = context.args.Switch({"--force"});
  context.args.Operands(0, 0, "no operand");
  const std::string existing =
      context.ToProject() ? context.Files().ProjectPath() : context.Files().GlobalPath();
  if (fs::exists(existing) && !force)
    throw HError(existing + " exists; --force replaces it with the bundled set");
  std::unique_ptr<HRuleList> bundled = HRuleFiles::LoadFile(HRuleFiles::BundledPath());
  std::unique_ptr<HRuleList> target = LoadTarget(context);
  target->DeleteAll();
  while (bundled->GetSize() > 0) {
    target->Add(bundled->GetAt(0));
    bundled->RemoveAt(0);
  }
  const std::string written = context.Files().Save(*target);
  // The samples come along, so that `rules test` goes on testing the rules as they are edited.
  const fs::path samples = fs::path(written).parent_path() / HRuleFiles::kSamplesFile;
  std::error_code error;
  fs::copy_file(fs::path(HRuleFiles::BundledFolder()) / HRuleFiles::kSamplesFile, samples, error);
  context.console.err << "inline-patterns: the bundled set of " << target->GetSize() << " rules written in "
                      << written << (error ? "" : ", their samples in " + samples.string()) << "\n";
  return 0;
}

// One table row per rule, under the file's path.
void PrintTable(std::ostream& out, const std::string& title, const HRuleList& rules) {
  out << title << "\n";
  if (rules.GetSize() == 0) {
    out << "  (no rules)\n";
    return;
  }
  std::vector<std::vector<std::string>> rows = {
      {"NAME", "ACTIVE", "KIND", "CASE", "METHOD", "FLAGS", "TAGS"}};
  for (int i = 0; i < rules.GetSize(); ++i) {
    const CRegExRule& rule = *rules.GetAt(i);
    rows.push_back(
        {Utf16ToUtf8(rule.Name), rule.Active ? "yes" : "no", rule.RegEx ? "regex" : "literal",
         rule.Case ? "exact" : "ignore", HRuleChange::MethodName(rule.CheckMethod),
         rule.CheckMethod == CHECK_EXIST_IF_IN_SOURCE ? HRuleChange::FlagNames(rule.CheckFlags) : "-",
         rule.Native ? "with" : "without"});
  }
  std::vector<size_t> widths(rows[0].size(), 0);
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], Utf8ToUtf16(row[c]).size());
  }
  for (const auto& row : rows) {
    std::string line = " ";
    for (size_t c = 0; c < row.size(); ++c)
      line += " " + row[c] +
              std::string(c + 1 < row.size() ? widths[c] - Utf8ToUtf16(row[c]).size() + 1 : 0, ' ');
    out << line << "\n";
  }
}

nlohmann::ordered_json RulesJson(const HRuleList& rules) {
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (int i = 0; i < rules.GetSize(); ++i) array.push_back(HRuleJson::ToJson(*rules.GetAt(i)));
  return array;
}

// Which rules of the project's common list a language's rules replace for that language.
void PrintReplaced(std::ostream& out, const HRuleList& language, const HRuleList& common) {
  std::string names;
  for (int i = 0; i < language.GetSize(); ++i) {
    const std::string name = Utf16ToUtf8(language.GetAt(i)->Name);
    if (common.IndexOf(name) >= 0 && names.find("\"" + name + "\"") == std::string::npos)
      names += (names.empty() ? "\"" : ", \"") + name + "\"";
  }
  if (!names.empty()) out << "  replacing the project rules " << names << " for this language\n";
}

int List(HContext& context) {
  std::string format = "text";
  context.args.Value("--format", format);
  if (format != "text" && format != "json")
    throw HError("unknown format \"" + format + "\" (expected text or json)");
  context.TakeProjectOperand();
  std::vector<HRuleFiles::Loaded> listed = context.Files().LoadAll();
  // Without a language, each language's own rules follow, with the project rules they replace.
  if (context.language.empty()) {
    for (HRuleFiles::Loaded& language : context.Files().LoadLanguages())
      listed.push_back(std::move(language));
  }
  if (format == "json") {
    nlohmann::ordered_json filesJson = nlohmann::ordered_json::array();
    for (const HRuleFiles::Loaded& item : listed) {
      nlohmann::ordered_json file = {{"scope", item.scope}, {"path", item.path}};
      if (!item.language.empty()) file["language"] = item.language;
      file["rules"] = RulesJson(*item.rules);
      filesJson.push_back(std::move(file));
    }
    context.console.out << nlohmann::ordered_json{{"version", 1}, {"files", filesJson}}.dump(2) << "\n";
    return 0;
  }
  for (const HRuleFiles::Loaded& item : listed) {
    const bool missing = std::string(item.scope) == "project" && !fs::exists(item.path);
    const std::string scope =
        item.language.empty() ? item.scope : std::string(item.scope) + " (" + item.language + ")";
    PrintTable(context.console.out, scope + " rules: " + item.path + (missing ? " (no file yet)" : ""),
               *item.rules);
    if (std::string(item.scope) == "language")
      PrintReplaced(context.console.out, *item.rules, *listed[1].rules);
  }
  return 0;
}

int Add(HContext& context) {
  const HRuleChange change = HRuleChange::Take(context.args);
  const std::vector<std::string> operands = context.args.Operands(2, 2, "NAME PATTERN");
  std::unique_ptr<HRuleList> list = LoadTarget(context);
  if (list->IndexOf(operands[0]) >= 0) throw HError("a " + Quoted(operands[0]) + " exists already");
  auto rule = std::make_unique<CRegExRule>();
  rule->Name = Utf8ToUtf16(operands[0]);
  rule->Pattern = Utf8ToUtf16(operands[1]);
  change.ApplyTo(*rule);
  list->Add(rule.release());
  return SaveTarget(context, *list, Quoted(operands[0]) + " added");
}

int Set(HContext& context) {
  const HRuleChange change = HRuleChange::Take(context.args);
  const std::string name = context.args.Operands(1, 1, "NAME")[0];
  std::unique_ptr<HRuleList> list = LoadTarget(context);
  change.ApplyTo(RuleNamed(*list, name));
  return SaveTarget(context, *list, Quoted(name) + " changed");
}

int Delete(HContext& context) {
  const std::string name = context.args.Operands(1, 1, "NAME")[0];
  std::unique_ptr<HRuleList> list = LoadTarget(context);
  CRegExRule* rule = &RuleNamed(*list, name);
  list->RemoveAt(list->Find(rule));
  delete rule;
  return SaveTarget(context, *list, Quoted(name) + " deleted");
}

int Rename(HContext& context) {
  const std::vector<std::string> names = context.args.Operands(2, 2, "NAME NEW-NAME");
  std::unique_ptr<HRuleList> list = LoadTarget(context);
  CRegExRule& rule = RuleNamed(*list, names[0]);
  if (list->IndexOf(names[1]) >= 0) throw HError("a " + Quoted(names[1]) + " exists already");
  CRegExRule renamed;
  renamed.CopyFrom(rule);
  renamed.Name = Utf8ToUtf16(names[1]);
  HRuleChange::Validate(renamed);
  rule.Name = renamed.Name;
  return SaveTarget(context, *list, Quoted(names[0]) + " renamed to \"" + names[1] + "\"");
}

int SetActive(HContext& context, int32_t active) {
  const std::string name = context.args.Operands(1, 1, "NAME")[0];
  std::unique_ptr<HRuleList> list = LoadTarget(context);
  RuleNamed(*list, name).Active = active;
  return SaveTarget(context, *list, Quoted(name) + (active ? " enabled" : " disabled"));
}

int Enable(HContext& context) {
  return SetActive(context, 1);
}

int Disable(HContext& context) {
  return SetActive(context, 0);
}

int Export(HContext& context) {
  context.args.Operands(0, 0, "no operand");
  std::unique_ptr<HRuleList> list = LoadTarget(context);
  context.console.out << nlohmann::ordered_json{{"version", 1}, {"rules", RulesJson(*list)}}.dump(2) << "\n";
  return 0;
}

nlohmann::ordered_json ReadJson(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::istream& in = path == "-" ? std::cin : file;
  if (!in) throw HError(path + ": cannot read the file");
  try {
    return nlohmann::ordered_json::parse(in);
  } catch (const nlohmann::ordered_json::exception& error) {
    throw HError(path + ": " + error.what());
  }
}

// Rules of the JSON replace those of the same name in place; the others are appended.
int Import(HContext& context) {
  const bool replace = context.args.Switch({"--replace"});
  const std::string path = context.args.Operands(1, 1, "FILE (- for standard input)")[0];
  const nlohmann::ordered_json document = ReadJson(path);
  if (!document.is_object() || !document.contains("rules") || !document["rules"].is_array())
    throw HError(path + ": expected an object with \"rules\", as `rules export` writes it");
  std::unique_ptr<HRuleList> list = LoadTarget(context);
  if (replace) list->DeleteAll();
  const nlohmann::ordered_json& rules = document["rules"];
  for (size_t i = 0; i < rules.size(); ++i) {
    auto rule = std::make_unique<CRegExRule>();
    try {
      HRuleJson::FromJson(rules[i], *rule);
      HRuleChange::ValidateWithChain(*rule);
    } catch (const HError& error) {
      throw HError(path + ": rule " + std::to_string(i + 1) + ": " + error.what());
    }
    const int index = list->IndexOf(Utf16ToUtf8(rule->Name));
    if (index < 0) {
      list->Add(rule.release());
    } else {
      list->GetAt(index)->CopyFrom(*rule);
    }
  }
  return SaveTarget(context, *list, std::to_string(rules.size()) + " rules imported");
}

int Test(HContext& context) {
  context.TakeProjectOperand();
  std::vector<HRuleFiles::Loaded> targets = context.Files().LoadAll();
  HRuleTrial trial;
  HRuleSamples::Tally tally;
  int sampleFiles = 0;
  for (HRuleFiles::Loaded& target : targets) {
    const std::string samplesPath = (fs::path(target.path).parent_path() / HRuleFiles::kSamplesFile).string();
    if (!fs::exists(samplesPath)) continue;
    ++sampleFiles;
    HRuleSamples(samplesPath).Run(*target.rules, trial, context.console.out, tally);
  }
  if (sampleFiles == 0)
    throw HError(std::string("no ") + HRuleFiles::kSamplesFile + " beside the rule files: nothing to test");
  context.console.out << tally.samples << " samples, " << tally.failed << " failed";
  if (tally.rulesWithout > 0) context.console.out << "; " << tally.rulesWithout << " rules have no sample";
  context.console.out << "\n";
  return tally.failed > 0 ? 1 : 0;
}

constexpr const char* kFileOptions = R"(
Options:
  --global-dir DIR  folder of the global rule file (default ~/.config/inline-patterns)
  --project DIR     the project DIR: its rule file (DIR/.inline-patterns/settings.ini) is the one
                    edited instead of the global one, and the one read besides it
  --language LANG   with --project: the project's rules for the target language LANG
                    (DIR/.inline-patterns/LANG/settings.ini); list, test and try see the
                    project's rules with LANG's laid over them, as the check does
  -h, --help        print this help
)";

constexpr const char* kRuleOptions = R"(
Rule options:
  --regex, --literal            a regular expression (PCRE2) or a literal text (the default)
  --case, --ignore-case         case-sensitive (the default) or not
  --method M                    exist-if-in-source, must-not-exist, must-exist or none (the default)
  --count, --text, --order      the translation has as many matches, the same texts, in the same order;
                                each counts only with the one before it; --no-count etc. turn them off
  --with-tags, --without-tags   check the texts with their inline tags or without (the default)
  --active, --inactive          whether the check applies the rule (active by default)
A name has 1 to 80 characters, a pattern 1 to 2000; a regular expression must compile.
)";

constexpr HSubcommand kSubcommands[] = {
    {"init", Init, "init [--force]",
     "Writes the bundled rule set as the global rule file (or the project's) to edit."},
    {"list", List, "list [--format text|json] [PROJECT]",
     "Lists every rule of the global rule file (the bundled set without one) and of the project's: name,\n"
     "active, literal or regex, case, method, flags and whether it checks the texts with their tags."},
    {"add", Add, "add NAME PATTERN [RULE OPTIONS]", "Adds a rule at the end of the rule file."},
    {"set", Set, "set NAME [--pattern P] [RULE OPTIONS]", "Changes the given fields of a rule."},
    {"delete", Delete, "delete NAME", "Deletes a rule."},
    {"rename", Rename, "rename NAME NEW-NAME", "Renames a rule."},
    {"enable", Enable, "enable NAME", "Makes a rule active."},
    {"disable", Disable, "disable NAME",
     "Makes a rule inactive: it stays in the file, and the check skips it."},
    {"import", Import, "import FILE|- [--replace]",
     "Reads rules as `rules export` writes them: a rule of the same name is replaced, the others are\n"
     "appended; --replace replaces the whole list."},
    {"export", Export, "export", "Writes the rules of the rule file as JSON to standard output."},
    {"test", Test, "test [PROJECT]",
     "Tries the samples kept beside the rule files (settings.samples.json beside settings.ini) and\n"
     "fails on any difference. The file holds, per rule name, sample pairs with the violation messages\n"
     "the rule must report:\n"
     "  {\"Printf placeholders\": [{\"source\": \"Open %s\", \"translation\": \"Öffnen\",\n"
     "    \"violations\": [\"Unequal number of matches. Source: 1, Translation: 0\"]}]}"},
};

std::string Usage(const HSubcommand& command) {
  std::string usage = std::string("Usage: inline-patterns rules ") + command.usage + "\n\n" + command.help +
                      "\n" + kFileOptions;
  const std::string name = command.name;
  if (name == "list" || name == "test") usage += "PROJECT is the same as --project PROJECT.\n";
  if (name == "add" || name == "set") usage += kRuleOptions;
  usage += "\nExit status: 0 done, " + std::string(name == "test" ? "1 a sample failed, " : "") +
           "2 usage or input/output error.\n";
  return usage;
}

std::string Overview() {
  std::ostringstream text;
  text << "Usage: inline-patterns rules COMMAND [OPTIONS]\n\nEdits, lists and tests the rule files with the "
          "add-in's own rule-file code.\n\nCommands:\n";
  for (const HSubcommand& command : kSubcommands) text << "  " << command.usage << "\n";
  text << "\n`inline-patterns rules COMMAND --help` tells more.\n";
  return text.str();
}

}  // namespace

int HRulesCommand::Run(const std::vector<std::string>& arguments, const HConsole& console) {
  const auto command =
      std::find_if(std::begin(kSubcommands), std::end(kSubcommands),
                   [&](const HSubcommand& c) { return !arguments.empty() && arguments[0] == c.name; });
  if (command == std::end(kSubcommands)) {
    const bool help = !arguments.empty() && (arguments[0] == "-h" || arguments[0] == "--help");
    if (!help) {
      const std::string what =
          arguments.empty() ? "rules needs a command" : "unknown rules command " + arguments[0];
      throw HError(what + " (rules --help lists them)");
    }
    console.out << Overview();
    return 0;
  }
  HArguments args(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
  if (args.Switch({"-h", "--help"})) {
    console.out << Usage(*command);
    return 0;
  }
  HContext context{args, console, {}, {}, {}, nullptr};
  args.Value("--global-dir", context.globalFolder);
  args.Value("--project", context.project);
  args.Value("--language", context.language);
  return command->run(context);
}
