// The protocol loop: messages in order from the inbox, checks of changed documents whenever no message
// waits, and the answers. Every call of the module happens on this thread.
#include "HLspServer.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "HArguments.h"
#include "HError.h"
#include "HFileBytes.h"
#include "HLanguage.h"
#include "HLspUri.h"
#include "HRuleChange.h"
#include "HRuleFiles.h"
#include "HRuleTrial.h"
#include "HSuppressCommand.h"
#include "HUnitReader.h"
#include "rules/CRegExRule.h"
#include "support/KStdioFile.h"
#include "support/KUtf8.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr const char* kSource = "inline-patterns";
constexpr const char* kShowRule = "inline-patterns.showRule";
constexpr int kError = 1;
constexpr int kWarning = 2;
constexpr int kInformation = 3;

// A diagnostic of ours; its code is the rule's name, when it has one.
json Diagnostic(json range, int severity, const std::string& message, const std::string& rule = "") {
  json diagnostic = {
      {"range", std::move(range)}, {"severity", severity}, {"source", kSource}, {"message", message}};
  if (!rule.empty()) diagnostic["code"] = rule;
  return diagnostic;
}

// A request answered with an error of the protocol's.
struct KAnswerError : std::runtime_error {
  KAnswerError(int errorCode, const std::string& message) : std::runtime_error(message), code(errorCode) {}
  int code;
};

bool IsRuleFile(const std::string& path) {
  return fs::path(path).filename() == HRuleFiles::kRuleFile;
}

// The 0-based line of the [section] of the rule named so in a rule file; -1 when it is not found.
long SectionLine(const std::string& path, const std::string& rule) {
  std::string text;
  try {
    text = HFileBytes::Read(path, "rule file");
  } catch (const HError&) {
    return -1;
  }
  std::istringstream lines(text);
  long section = -1;
  long number = 0;
  for (std::string line; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    if (line.starts_with("[")) section = number;
    if (line == "Name=" + rule) return section;
  }
  return -1;
}

// The one edit that turns before into after: what lies between their common start and end.
struct Edit {
  size_t from;
  size_t to;
  std::string text;
};

Edit Difference(const std::string& before, const std::string& after) {
  const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  size_t start = 0;
  const size_t shorter = std::min(before.size(), after.size());
  while (start < shorter && before[start] == after[start]) ++start;
  while (start > 0 && start < before.size() && continuation(before[start])) --start;
  size_t end = 0;
  while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end]) ++end;
  while (end > 0 && continuation(before[before.size() - end])) --end;
  return {start, before.size() - end, after.substr(start, after.size() - end - start)};
}

std::string RuleDescription(const HRuleInfo& rule) {
  std::string text = "pattern: " + rule.pattern + "\n";
  text += std::string(rule.regex ? "regular expression" : "literal text") +
          (rule.caseSensitive ? ", case-sensitive" : ", ignoring case") +
          (rule.withTags ? ", texts with tags" : ", texts without tags") + "\n";
  text += "method: " + HRuleChange::MethodName(rule.method);
  if (rule.method == 1) text += " (" + HRuleChange::FlagNames(rule.flags) + ")";
  return text + "\n";
}

}  // namespace

HLspServer::HLspServer(std::istream& in, std::ostream& out, HLspChecker::Settings settings)
    : m_inbox(in), m_writer(out), m_checker(std::move(settings)) {}

int HLspServer::Run() {
  for (;;) {
    const bool documentsWaiting = std::any_of(m_documents.begin(), m_documents.end(),
                                              [](const auto& entry) { return entry.second.dirty; });
    if (documentsWaiting && m_inbox.Empty()) {
      CheckNext();
      continue;
    }
    const HLspInbox::Item item = m_inbox.Take();
    if (item.kind == HLspInbox::Item::Kind::End) return 1;
    if (item.kind == HLspInbox::Item::Kind::FramingError) {
      m_writer.Error(nullptr, HJsonRpc::kParseError, item.error);
      continue;
    }
    if (!Dispatch(item.message)) return m_shutdown ? 0 : 1;
  }
}

bool HLspServer::Dispatch(const HJsonRpc::Message& message) {
  using Kind = HJsonRpc::Message::Kind;
  switch (message.kind) {
    case Kind::Invalid:
      m_writer.Error(message.id, message.error, message.errorMessage);
      return true;
    case Kind::Response:  // to the server's own requests, which need nothing of the answer
      return true;
    case Kind::Notification:
      if (message.method == "exit") return false;
      try {
        Notified(message.method, message.params);
      } catch (const std::exception& error) {
        // A notification has nobody to answer: the client learns of it in its log.
        m_writer.Notify("window/logMessage",
                        {{"type", kError}, {"message", message.method + ": " + error.what()}});
      }
      return true;
    case Kind::Request:
      break;
  }
  if (m_inbox.Cancelled(message.id)) {
    m_writer.Error(message.id, HJsonRpc::kRequestCancelled, "cancelled");
    return true;
  }
  if (!m_initialized && message.method != "initialize") {
    m_writer.Error(message.id, HJsonRpc::kServerNotInitialized, "the server is not initialized");
    return true;
  }
  if (m_shutdown) {
    m_writer.Error(message.id, HJsonRpc::kInvalidRequest, "the server is shut down");
    return true;
  }
  try {
    m_writer.Result(message.id, Answer(message.method, message.params));
  } catch (const json::exception& error) {
    m_writer.Error(message.id, HJsonRpc::kInvalidParams, error.what());
  } catch (const KAnswerError& error) {
    m_writer.Error(message.id, error.code, error.what());
  } catch (const std::exception& error) {
    m_writer.Error(message.id, HJsonRpc::kInternalError, error.what());
  }
  return true;
}

json HLspServer::Answer(const std::string& method, const json& params) {
  if (method == "initialize") return Initialize(params);
  if (method == "shutdown") {
    m_shutdown = true;
    return nullptr;
  }
  if (method == "textDocument/codeAction") return CodeActions(params);
  if (method == "textDocument/hover") return Hover(params);
  if (method == "workspace/executeCommand") return Execute(params);
  throw KAnswerError(HJsonRpc::kMethodNotFound, "unknown method " + method);
}

void HLspServer::Notified(const std::string& method, const json& params) {
  const bool document = method == "textDocument/didOpen" || method == "textDocument/didChange" ||
                        method == "textDocument/didClose";
  // Counted before anything can fail, so that a check never waits for a change that will not come.
  if (document) ++m_applied[HLspInbox::DocumentOf(params)];
  if (!m_initialized || m_shutdown) return;
  if (method == "initialized") return Initialized();
  if (method == "textDocument/didOpen") return Opened(params);
  if (method == "textDocument/didChange") return Changed(params);
  if (method == "textDocument/didSave") return Saved(params);
  if (method == "textDocument/didClose") return Closed(params);
  if (method == "workspace/didChangeWatchedFiles") return RulesChanged();
}

json HLspServer::Initialize(const json& params) {
  if (m_initialized) throw KAnswerError(HJsonRpc::kInvalidRequest, "initialize was sent twice");
  const json capabilities = params.value("capabilities", json::object());
  const json encodings = capabilities.value("/general/positionEncodings"_json_pointer, json::array());
  const bool utf8 = std::find(encodings.begin(), encodings.end(), "utf-8") != encodings.end();
  m_encoding = utf8 ? HLspText::Encoding::Utf8 : HLspText::Encoding::Utf16;
  m_watchRegistration =
      capabilities.value("/workspace/didChangeWatchedFiles/dynamicRegistration"_json_pointer, false);
  m_showDocument = capabilities.value("/window/showDocument/support"_json_pointer, false);
  const json folders = params.value("workspaceFolders", json::array());
  for (const json& folder : folders.is_array() ? folders : json::array())
    m_workspaceFolders.push_back(HLspUri::ToPath(folder.at("uri").get<std::string>()));
  if (m_workspaceFolders.empty() && params.value("rootUri", json()).is_string())
    m_workspaceFolders.push_back(HLspUri::ToPath(params["rootUri"].get<std::string>()));
  std::erase(m_workspaceFolders, "");
  m_initialized = true;
  return {{"capabilities",
           {{"positionEncoding", utf8 ? "utf-8" : "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
            {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}},
            {"hoverProvider", true},
            {"executeCommandProvider", {{"commands", json::array({kShowRule})}}}}},
          {"serverInfo", {{"name", kSource}, {"version", IP_VERSION}}}};
}

// Rule files change outside the editor too: the client watches them for the server when it can.
void HLspServer::Initialized() {
  if (!m_watchRegistration) return;
  json watchers = json::array({json{{"globPattern", "**/.inline-patterns/**/settings.ini"}},
                               json{{"globPattern", "**/.inline-patterns/settings.ini"}}});
  const std::string global = m_checker.GetSettings().globalFolder.empty()
                                 ? HAddInHost::DefaultGlobalFolder()
                                 : m_checker.GetSettings().globalFolder;
  watchers.push_back({{"globPattern", (fs::absolute(global) / HRuleFiles::kRuleFile).string()}});
  m_writer.Request(++m_requests, "client/registerCapability",
                   {{"registrations", json::array({json{{"id", "inline-patterns-rules"},
                                                        {"method", "workspace/didChangeWatchedFiles"},
                                                        {"registerOptions", {{"watchers", watchers}}}}})}});
}

void HLspServer::Opened(const json& params) {
  const json& item = params.at("textDocument");
  const std::string uri = item.at("uri").get<std::string>();
  const std::string path = HLspUri::ToPath(uri);
  if (path.empty() || !HUnitReader::IsSupported(path)) return;
  Document document{
      HLspText(item.at("text").get<std::string>(), m_encoding), path, item.value("version", 0L), true, {}};
  m_documents.insert_or_assign(uri, std::move(document));
}

void HLspServer::Changed(const json& params) {
  Document* found = Find(params);
  if (found == nullptr) return;  // a document of another kind
  Document& document = *found;
  for (const json& change : params.at("contentChanges")) {
    std::string text = change.at("text").get<std::string>();
    if (!change.contains("range")) {
      document.text.SetText(std::move(text));
      continue;
    }
    const json& range = change.at("range");
    document.text.Replace(PositionIn(range.at("start")), PositionIn(range.at("end")), text);
  }
  document.version = params.at("textDocument").value("version", document.version);
  document.dirty = true;
}

void HLspServer::Saved(const json& params) {
  if (IsRuleFile(HLspUri::ToPath(HLspInbox::DocumentOf(params)))) RulesChanged();
}

void HLspServer::Closed(const json& params) {
  const std::string uri = HLspInbox::DocumentOf(params);
  if (m_documents.erase(uri) == 0) return;
  m_writer.Notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", json::array()}});
}

void HLspServer::RulesChanged() {
  for (auto& [uri, document] : m_documents) document.dirty = true;
}

HLspServer::Document* HLspServer::Find(const json& params) {
  const auto found = m_documents.find(HLspInbox::DocumentOf(params));
  return found == m_documents.end() ? nullptr : &found->second;
}

void HLspServer::CheckNext() {
  const auto entry =
      std::find_if(m_documents.begin(), m_documents.end(), [](const auto& e) { return e.second.dirty; });
  const std::string& uri = entry->first;
  Document& document = entry->second;
  document.dirty = false;
  const long applied = m_applied[uri];
  HLspChecker::Outcome outcome;
  const std::string folder = ProjectFolder(document.path);
  try {
    outcome = m_checker.Check(document.path, folder, document.text.Text(),
                              [&] { return m_inbox.Changes(uri) != applied; });
  } catch (const HLspChecker::Abandoned&) {
    document.dirty = true;  // the newer text waits in the inbox and is checked after it
    return;
  } catch (const KFileException& error) {
    // The rule file has a diagnostic of its own (CheckRuleFiles); the document says why it is not checked.
    outcome.error = HInputError{document.path, 0,
                                "a rule file does not load: " + Utf16ToUtf8(error.GetFileName()) + ": " +
                                    Utf16ToUtf8(error.GetErrorMessage())};
  } catch (const std::exception& error) {
    outcome.error = HInputError{document.path, 0, error.what()};
  }
  const std::vector<HWarning> warnings = outcome.warnings;
  Publish(uri, document, std::move(outcome));
  CheckRuleFiles(folder, warnings);
}

void HLspServer::Publish(const std::string& uri, Document& document, HLspChecker::Outcome outcome) {
  const HLspText& text = document.text;
  json diagnostics = json::array();
  document.shown.clear();
  // A document that does not parse shows only where it stops: what was found before is not the whole story.
  if (outcome.error) {
    outcome.findings.clear();
    outcome.warnings.clear();
    diagnostics.push_back(
        Diagnostic(LineRange(text, std::max(0L, outcome.error->line - 1)), kError, outcome.error->message));
  }
  std::map<std::pair<std::string, std::string>, long> sections;  // by rule file and rule
  for (HLspChecker::Finding& finding : outcome.findings) {
    const HLspText::Position start = text.FromColumn(finding.line, finding.column);
    const HLspText::Position end =
        finding.endLine > 0 ? text.FromColumn(finding.endLine, finding.endColumn) : start;
    Shown shown{std::move(finding), start, end, "", 0};
    const HViolation& violation = shown.finding.violation;
    json diagnostic = Diagnostic(Range(shown.start, shown.end), kWarning, violation.message, violation.rule);
    const auto rule = std::find_if(outcome.rules.begin(), outcome.rules.end(),
                                   [&](const HRuleInfo& r) { return r.name == violation.rule; });
    if (rule != outcome.rules.end() && !rule->ruleFile.empty()) {
      const auto key = std::make_pair(rule->ruleFile, rule->name);
      const auto known = sections.find(key);
      shown.sectionLine = std::max(
          0L, known != sections.end() ? known->second : sections[key] = SectionLine(key.first, key.second));
      shown.ruleFile = rule->ruleFile;
      const HLspText::Position section{shown.sectionLine, 0};
      diagnostic["relatedInformation"] = json::array({json{
          {"location", {{"uri", HLspUri::FromPath(rule->ruleFile)}, {"range", Range(section, section)}}},
          {"message", "rule \"" + rule->name + "\""}}});
    }
    diagnostics.push_back(std::move(diagnostic));
    document.shown.push_back(std::move(shown));
  }
  // Suppressions that suppress nothing or are misspelt are shown where they are written.
  for (const HWarning& warning : outcome.warnings) {
    if (warning.line <= 0 || warning.file != document.path) continue;
    diagnostics.push_back(Diagnostic(LineRange(text, warning.line - 1), kInformation, warning.message));
  }
  m_writer.Notify("textDocument/publishDiagnostics",
                  {{"uri", uri}, {"version", document.version}, {"diagnostics", std::move(diagnostics)}});
}

void HLspServer::CheckRuleFiles(const std::string& projectFolder, const std::vector<HWarning>& warnings) {
  std::vector<std::string> files;
  try {
    files = m_checker.RuleFiles(projectFolder);
  } catch (const std::exception&) {
    return;  // the documents' diagnostics say why no rule applies
  }
  for (const std::string& file : files) {
    std::error_code missing;
    if (!fs::is_regular_file(file, missing)) continue;
    const std::string uri = HLspUri::FromPath(file);
    json diagnostics = json::array();
    try {
      HRuleFiles::LoadFile(file);
    } catch (const HError& error) {
      std::string message = error.what();
      if (message.starts_with(file + ": ")) message.erase(0, file.size() + 2);
      diagnostics.push_back(
          Diagnostic(Range({0, 0}, {0, 0}), kError, "the rule file does not load: " + message));
    }
    // A pattern that does not compile is shown at its rule.
    for (const HWarning& warning : warnings) {
      if (warning.file != file || warning.rule.empty()) continue;
      // A rule no longer in the file was changed while the check ran; the change brings a check of its own.
      const long line = SectionLine(file, warning.rule);
      if (line < 0) continue;
      const HLspText::Position section{line, 0};
      diagnostics.push_back(Diagnostic(Range(section, section), kWarning, warning.message, warning.rule));
    }
    // Every check comes here: the client hears only of a change.
    const auto known = m_ruleFileDiagnostics.find(uri);
    if (known != m_ruleFileDiagnostics.end() ? known->second == diagnostics : diagnostics.empty()) continue;
    m_ruleFileDiagnostics[uri] = diagnostics;
    m_writer.Notify("textDocument/publishDiagnostics",
                    {{"uri", uri}, {"diagnostics", std::move(diagnostics)}});
  }
}

// The deepest workspace folder that holds the document; else the folder that holds it, as the command line
// takes a single file's.
std::string HLspServer::ProjectFolder(const std::string& path) const {
  std::string best;
  for (const std::string& folder : m_workspaceFolders) {
    const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
    if (path.starts_with(prefix) && folder.size() > best.size()) best = folder;
  }
  if (!best.empty()) return best;
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

json HLspServer::Range(const HLspText::Position& start, const HLspText::Position& end) const {
  return {{"start", {{"line", start.line}, {"character", start.character}}},
          {"end", {{"line", end.line}, {"character", end.character}}}};
}

// A whole line of the document, for what belongs to a line rather than to a text in it.
json HLspServer::LineRange(const HLspText& text, long line) const {
  return Range({line, 0}, text.PositionOf(text.Offset({line, LONG_MAX})));
}

HLspText::Position HLspServer::PositionIn(const json& position) const {
  return {position.at("line").get<long>(), position.at("character").get<long>()};
}

std::vector<const HLspServer::Shown*> HLspServer::ShownAt(const Document& document, HLspText::Position from,
                                                          HLspText::Position to) const {
  const auto before = [](const HLspText::Position& a, const HLspText::Position& b) {
    return a.line < b.line || (a.line == b.line && a.character < b.character);
  };
  std::vector<const Shown*> found;
  for (const Shown& shown : document.shown) {
    if (!before(to, shown.start) && !before(shown.end, from)) found.push_back(&shown);
  }
  return found;
}

json HLspServer::CodeActions(const json& params) {
  const std::string uri = HLspInbox::DocumentOf(params);
  json actions = json::array();
  const Document* found = Find(params);
  if (found == nullptr) return actions;
  const Document& document = *found;
  const json& range = params.at("range");
  std::set<std::pair<std::string, std::string>> offered;  // unit and rule
  for (const Shown* shown : ShownAt(document, PositionIn(range.at("start")), PositionIn(range.at("end")))) {
    const HViolation& violation = shown->finding.violation;
    if (violation.rule.empty() || !offered.insert({violation.unitId, violation.rule}).second) continue;
    const std::string& text = document.text.Text();
    if (violation.rule.find('"') == std::string::npos) {
      try {
        const Edit edit = Difference(
            text, HSuppressCommand::Suppressed(document.path, text, violation.unitId, violation.rule));
        const json change = {
            {"range", Range(document.text.PositionOf(edit.from), document.text.PositionOf(edit.to))},
            {"newText", edit.text}};
        actions.push_back({{"title", "Ignore rule \"" + violation.rule + "\" for this unit"},
                           {"kind", "quickfix"},
                           {"edit", {{"changes", {{uri, json::array({change})}}}}}});
      } catch (const HError&) {
        // A unit that the suppression cannot name (its id is not unique in the file) gets no action.
      }
    }
    if (shown->ruleFile.empty()) continue;
    const std::string title = "Show rule \"" + violation.rule + "\"";
    actions.push_back(
        {{"title", title},
         {"kind", "quickfix"},
         {"command",
          {{"title", title},
           {"command", kShowRule},
           {"arguments", json::array({HLspUri::FromPath(shown->ruleFile), shown->sectionLine})}}}});
  }
  return actions;
}

json HLspServer::Execute(const json& params) {
  if (params.at("command") != kShowRule) throw KAnswerError(HJsonRpc::kInvalidParams, "unknown command");
  const json& arguments = params.at("arguments");
  const std::string uri = arguments.at(0).get<std::string>();
  const HLspText::Position section{arguments.at(1).get<long>(), 0};
  if (m_showDocument) {
    m_writer.Request(++m_requests, "window/showDocument",
                     {{"uri", uri}, {"takeFocus", true}, {"selection", Range(section, section)}});
  } else {
    m_writer.Notify("window/showMessage",
                    {{"type", kInformation},
                     {"message", "The rule is at line " + std::to_string(section.line + 1) + " of " +
                                     HLspUri::ToPath(uri)}});
  }
  return nullptr;
}

json HLspServer::Hover(const json& params) {
  const Document* document = Find(params);
  if (document == nullptr) return nullptr;
  const HLspText::Position at = PositionIn(params.at("position"));
  const std::vector<const Shown*> shown = ShownAt(*document, at, at);
  if (shown.empty()) return nullptr;
  std::string markdown;
  std::set<std::string> described;
  for (const Shown* one : shown) {
    if (one->finding.violation.rule.empty() || !described.insert(one->finding.violation.rule).second)
      continue;
    if (!markdown.empty()) markdown += "\n---\n";
    markdown += HoverText(*document, *one);
  }
  if (markdown.empty()) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", markdown}}},
          {"range", Range(shown.front()->start, shown.front()->end)}};
}

// The rule as its file defines it and its try on the unit's texts, as the rule editor's test pane lists it.
std::string HLspServer::HoverText(const Document& document, const Shown& shown) {
  const HViolation& violation = shown.finding.violation;
  const std::string folder = ProjectFolder(document.path);
  const HProject project(folder, m_checker.GetSettings().projectRules, false);
  const std::string common = project.AddInFilePath(HRuleFiles::kRuleFile);
  const std::string& language = shown.finding.language;
  HRuleFiles files(m_checker.GlobalFolder(folder), folder,
                   HLanguage::RuleFiles(common, language).empty() ? "" : language,
                   m_checker.GetSettings().projectRules);
  const std::unique_ptr<CRegExRule> rule = files.FindRule(violation.rule);
  HRuleTrial trial;
  const HRuleTrial::Outcome tried = trial.Try(*rule, violation.source, violation.translation);
  HRuleInfo info{violation.rule,    Utf16ToUtf8(rule->Pattern), rule->RegEx != 0,  rule->Case != 0,
                 rule->CheckMethod, rule->CheckFlags,           rule->Native != 0, shown.ruleFile};
  std::string markdown = "**Rule \"" + violation.rule + "\"**";
  if (!shown.ruleFile.empty())
    markdown += " in " + HRuleFiles::Shown(shown.ruleFile) + ":" + std::to_string(shown.sectionLine + 1);
  std::string pane;
  for (const std::string& line : tried.violations) pane += line + "\n";
  return markdown + "\n\n```text\n" + RuleDescription(info) + "```\n\n```text\n" + pane + tried.summary +
         "```\n";
}

int HLspServer::Main(const std::vector<std::string>& arguments, std::istream& in, const HConsole& console) {
  HArguments args(arguments);
  if (args.Switch({"-h", "--help"})) {
    console.out << Usage();
    return 0;
  }
  HLspChecker::Settings settings;
  args.Value("--global-dir", settings.globalFolder);
  args.Value("--project-rules", settings.projectRules);
  args.Value("--module", settings.modulePath);
  args.Value("--target-language", settings.targetLanguage);
  args.Switch({"--stdio"});  // what editors pass to say how they talk to the server: the only way it does
  args.Operands(0, 0, "no operand");
  return HLspServer(in, console.out, std::move(settings)).Run();
}

const char* HLspServer::Usage() {
  return R"(Usage: inline-patterns lsp [OPTIONS]

A language server (Language Server Protocol 3.17, JSON-RPC on standard input and output) for editors: it
checks the PO and XLIFF documents open in the editor as they are typed, with the rules the check of the
command line applies to the file (global, project and language rules; a document's project is the
workspace folder that holds it, else the folder that holds the file), and shows each violation on the
unit's translation. Code actions write a suppression for the unit (as `inline-patterns suppress` does)
or open the rule's file at the rule; hover shows the rule and its matches in the unit's texts. A change
to a rule file re-checks every open document.

Options:
  --global-dir DIR       folder of the global rule file
  --project-rules FILE   rule file used for every document instead of its project's
  --target-language TAG  the language of the documents that declare none
  --module PATH          the add-in module to load (default: the one installed with this program)
  --stdio                accepted for the editors that pass it: standard input and output are the only way
  -h, --help             print this help

Exit status: 0 after the client's shutdown and exit, 1 when the client exits without shutdown or closes
the input, 2 usage error.
)";
}
