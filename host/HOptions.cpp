// Parsing the command line of inline-patterns, and its help text.
#include "HOptions.h"

#include "HError.h"

namespace {

HFormat ParseFormat(const std::string& name) {
  if (name == "text") return HFormat::Text;
  if (name == "json") return HFormat::Json;
  if (name == "junit") return HFormat::JUnit;
  if (name == "sarif") return HFormat::Sarif;
  if (name == "html") return HFormat::Html;
  throw HError("unknown format \"" + name + "\" (expected text, json, junit, sarif or html)");
}

// Accepts "--name VALUE" and "--name=VALUE"; true when the argument at i is that option.
bool TakeValue(const std::vector<std::string>& arguments, size_t& i, const std::string& name,
               std::string& value) {
  const std::string& argument = arguments[i];
  if (argument.starts_with(name + "=")) {
    value = argument.substr(name.size() + 1);
    return true;
  }
  if (argument != name) return false;
  if (i + 1 >= arguments.size()) throw HError(name + " needs a value");
  value = arguments[++i];
  return true;
}

// A whole number from min to max; digits only, and few enough that the value cannot overflow.
size_t ParseCount(const std::string& text, size_t min, size_t max, const std::string& option) {
  const bool digits =
      !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
  const size_t value = digits ? std::stoul(text) : 0;
  if (!digits || value < min || value > max)
    throw HError(option + " needs a number from " + std::to_string(min) + " to " + std::to_string(max));
  return value;
}

void ParseShard(const std::string& text, HOptions& options) {
  const size_t slash = text.find('/');
  if (slash == std::string::npos) throw HError("--shard needs K/N, K from 1 to N");
  options.shardCount = ParseCount(text.substr(slash + 1), 1, 1'000'000, "--shard's N");
  options.shardIndex = ParseCount(text.substr(0, slash), 1, options.shardCount, "--shard's K") - 1;
}

}  // namespace

HOptions HOptions::Parse(const std::vector<std::string>& arguments) {
  HOptions options;
  bool onlyPaths = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string format;
    std::string number;
    if (onlyPaths || argument == "-" || !argument.starts_with("-")) {
      options.paths.push_back(argument);
    } else if (argument == "--") {
      onlyPaths = true;
    } else if (argument == "-h" || argument == "--help") {
      options.help = true;
    } else if (argument == "-V" || argument == "--version") {
      options.version = true;
    } else if (argument == "-v" || argument == "--verbose") {
      options.verbose = true;
    } else if (argument == "--check-untranslated") {
      options.checkUntranslated = true;
    } else if (argument == "-q" || argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "--strict") {
      options.strict = true;
    } else if (argument == "--strict-suppressions") {
      options.strictSuppressions = true;
    } else if (TakeValue(arguments, i, "--format", format)) {
      options.format = ParseFormat(format);
    } else if (argument.starts_with("-j") && argument.size() > 2 && argument[2] != '=') {
      options.jobs = ParseCount(argument.substr(2), 1, 1024, "--jobs");  // -j4, as make takes it
    } else if (TakeValue(arguments, i, "-j", number) || TakeValue(arguments, i, "--jobs", number)) {
      options.jobs = ParseCount(number, 1, 1024, "--jobs");
    } else if (TakeValue(arguments, i, "--shard", number)) {
      ParseShard(number, options);
    } else if (!TakeValue(arguments, i, "--module", options.modulePath) &&
               !TakeValue(arguments, i, "--global-dir", options.globalFolder) &&
               !TakeValue(arguments, i, "--project-rules", options.projectRules) &&
               !TakeValue(arguments, i, "--base-dir", options.baseFolder) &&
               !TakeValue(arguments, i, "--baseline", options.baseline) &&
               !TakeValue(arguments, i, "--write-baseline", options.writeBaseline) &&
               !TakeValue(arguments, i, "--target-language", options.targetLanguage)) {
      throw HError("unknown option " + argument);
    }
  }
  if (options.paths.empty() && !options.help && !options.version) throw HError("no file or folder to check");
  return options;
}

const char* HOptions::Usage() {
  return R"(Usage: inline-patterns [OPTIONS] PATH...
       inline-patterns rules COMMAND ...   edit, list and test the rule files (rules --help)
       inline-patterns try ...             try one rule on a sample pair (try --help)
       inline-patterns suppress ...        accept a reviewed violation in its file (suppress --help)
       inline-patterns lsp [OPTIONS]       language server for editors (lsp --help)

Checks translations in XLIFF 1.2/2.x (.xlf, .xliff) and PO (.po) files against the pattern rules of
the Inline Patterns add-in module (ZAKRegExChecks.zak). Each PATH, a file or a folder searched
recursively, is one project; the first is the current project.

Rules:
  global rules     DIR/settings.ini, DIR from --global-dir, default $XDG_CONFIG_HOME/inline-patterns
                   (~/.config/inline-patterns)
  project rules    .inline-patterns/settings.ini inside the project folder; for a file project, in
                   the folder that holds the file
  language rules   .inline-patterns/LANG/settings.ini beside the project rules, for units whose
                   file's target language is LANG or starts with LANG- (pt-BR: pt-BR, then pt);
                   a rule replaces the project rule of the same name
  neither exists   the bundled rule set, which `inline-patterns rules init` copies to edit it;
                   rule files without an active rule are an error

Options:
  --format FORMAT       text (default), json, junit, sarif or html (one page for a browser), written to
                        standard output
  --global-dir DIR      folder of the global rule file
  --project-rules FILE  rule file used for every project instead of its own
  --check-untranslated  check the units that nobody has translated yet too: no target or a blank one,
                        XLIFF states new, needs-translation and initial, fuzzy or empty PO entries
  --base-dir DIR        SARIF names the files inside DIR relative to it (default: the current folder)
  --baseline FILE       report only the violations that the baseline FILE does not hold; the others are
                        counted as "in the baseline" (SARIF: baselineState)
  --write-baseline FILE
                        record the violations found as a baseline FILE; without --baseline, the run
                        is then reported against it
  --target-language TAG
                        the language of the files that declare none (PO Language:, XLIFF
                        target-language or trgLang); without it they get the common rules only
  --strict-suppressions
                        exit 2 when a suppression in a file suppresses nothing, names no rule or
                        is not spelt as `inline-patterns suppress --help` shows
  --strict              exit 2 when a rule may have missed a violation: its pattern does not compile
                        or its search stopped at a limit of the regular-expression service
  --module PATH         the add-in module to load (default: the one installed with this program)
  -j, --jobs N          check with N worker processes (default: one per processor); the report is
                        the same, byte for byte, whatever N is
  --shard K/N           check only the Kth of N shares of the files (K from 1 to N): every Nth file
                        from the Kth, in the order the files are listed; for CI jobs in parallel
  -v, --verbose         show the source and translation of each violation and the module's name
  -q, --quiet           no progress and no summary on standard error
  -V, --version         print the program's version and the add-in's name
  -h, --help            print this help

Exit status: 0 no violation (suppressed ones aside), 1 violations found (with a baseline: new ones), 2
usage or input/output error (with --strict also a rule that may have missed a violation).
NO_COLOR switches colours off; colours are only used on a terminal.
)";
}
