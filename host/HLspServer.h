// `inline-patterns lsp`: a language server that shows the violations of PO and XLIFF documents while they
// are edited, offers to suppress them or to open their rule, and describes the rule on hover.
#pragma once

#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "HConsole.h"
#include "HJsonRpc.h"
#include "HLspChecker.h"
#include "HLspInbox.h"
#include "HLspText.h"

class HLspServer {
 public:
  HLspServer(std::istream& in, std::ostream& out, HLspChecker::Settings settings);

  // Serves until the exit notification (status 0 after shutdown, 1 without) or the input's end (1).
  int Run();

  // The subcommand: its options, then the server on standard input and output.
  static int Main(const std::vector<std::string>& arguments, std::istream& in, const HConsole& console);
  static const char* Usage();

 private:
  // A violation as published, with what hover and code actions need of it.
  struct Shown {
    HLspChecker::Finding finding;
    HLspText::Position start;
    HLspText::Position end;
    std::string ruleFile;  // empty when the rule's file is not known
    long sectionLine = 0;  // 0-based line of the rule's [section]
  };
  struct Document {
    HLspText text;
    std::string path;
    long version = 0;
    bool dirty = true;
    std::vector<Shown> shown;
  };

  // False when the message was the exit notification.
  bool Dispatch(const HJsonRpc::Message& message);
  nlohmann::json Answer(const std::string& method, const nlohmann::json& params);
  void Notified(const std::string& method, const nlohmann::json& params);

  nlohmann::json Initialize(const nlohmann::json& params);
  void Initialized();
  void Opened(const nlohmann::json& params);
  void Changed(const nlohmann::json& params);
  void Saved(const nlohmann::json& params);
  void Closed(const nlohmann::json& params);
  void RulesChanged();
  nlohmann::json CodeActions(const nlohmann::json& params);
  nlohmann::json Hover(const nlohmann::json& params);
  nlohmann::json Execute(const nlohmann::json& params);

  // Checks the next document that needs it; one that changed meanwhile stays to be checked.
  void CheckNext();
  void Publish(const std::string& uri, Document& document, HLspChecker::Outcome outcome);
  // The diagnostics of the project's rule files: one on each file that does not load, one on each rule
  // whose pattern does not compile (among the check's warnings); none on those that are right again.
  void CheckRuleFiles(const std::string& projectFolder, const std::vector<HWarning>& warnings);
  std::string ProjectFolder(const std::string& path) const;
  // The open document that the params name; null for one of another kind.
  Document* Find(const nlohmann::json& params);
  nlohmann::json Range(const HLspText::Position& start, const HLspText::Position& end) const;
  nlohmann::json LineRange(const HLspText& text, long line) const;
  HLspText::Position PositionIn(const nlohmann::json& position) const;
  // The violations shown in the document whose range meets from..to.
  std::vector<const Shown*> ShownAt(const Document& document, HLspText::Position from,
                                    HLspText::Position to) const;
  std::string HoverText(const Document& document, const Shown& shown);

  HLspInbox m_inbox;
  HJsonRpc::Writer m_writer;
  HLspChecker m_checker;
  HLspText::Encoding m_encoding = HLspText::Encoding::Utf16;
  bool m_initialized = false;
  bool m_shutdown = false;
  bool m_watchRegistration = false;  // the client registers file watchers when asked
  bool m_showDocument = false;       // the client opens documents when asked
  long m_requests = 0;               // ids of the server's own requests
  std::vector<std::string> m_workspaceFolders;
  std::map<std::string, Document> m_documents;                  // by URI
  std::map<std::string, long> m_applied;                        // the document notifications handled, by URI
  std::map<std::string, nlohmann::json> m_ruleFileDiagnostics;  // as last published, by URI
};
