// Switching the module's check run when the target language, and so the project rule list, changes.
#include "HLanguageRuns.h"

#include <string_view>

#include "HError.h"

namespace {

// The readers' messages start with the position in the file: "path:line: message" or "path: message".
HInputError InputError(const std::string& path, const std::string& what) {
  HInputError error{path, 0, what};
  if (what.rfind(path + ":", 0) != 0) return error;
  std::string_view rest = std::string_view(what).substr(path.size() + 1);
  const size_t digits = rest.find_first_not_of("0123456789");
  if (digits > 0 && digits != std::string_view::npos && rest[digits] == ':') {
    error.line = std::stol(std::string(rest.substr(0, digits)));
    rest.remove_prefix(digits + 1);
  }
  if (rest.starts_with(' ')) rest.remove_prefix(1);
  error.message = rest;
  return error;
}

}  // namespace

void HLanguageRuns::StartProject(HProject& project) {
  m_project = &project;
  Open(m_rules.For(project, m_defaultLanguage));
}

void HLanguageRuns::StartFile(HFileResult& file) {
  m_file = &file;
  m_run->SetFile(&file);
  m_warnings.SetFile(&file);
}

void HLanguageRuns::CheckFile(HFileResult& file, const Reader& read, bool checkUntranslated,
                              ICheckOptions* options, const HUnitSink& checked) {
  StartFile(file);
  try {
    read([&](const HUnit& unit) {
      if (unit.status == HUnit::Status::NotTranslatable) {
        ++file.notTranslatable;
        return;
      }
      if (unit.status == HUnit::Status::Untranslated && !checkUntranslated) {
        ++file.untranslated;
        return;
      }
      Check(unit, options);
      ++file.units;
      checked(unit);
    });
  } catch (const HError& error) {
    file.error = InputError(file.path, error.what());
  } catch (...) {
    // A check given up half-way leaves nothing pointing into the file.
    FinishFile();
    throw;
  }
  FinishFile();
}

void HLanguageRuns::Check(const HUnit& unit, ICheckOptions* options) {
  const HLanguageRules::Rules rules =
      m_rules.For(*m_project, unit.language.empty() ? m_defaultLanguage : unit.language);
  if (rules.project != m_open.project || rules.texts != m_open.texts) {
    Open(rules);
    m_run->SetFile(m_file);
  }
  const size_t from = m_file->violations.size();
  m_warnings.UnitRead(unit);
  m_token.SetUnit(&unit);
  m_module.CheckToken(&m_token, options);
  m_token.SetUnit(nullptr);
  m_suppressions.Apply(unit, from, *m_file, m_open.texts);
}

void HLanguageRuns::FinishFile() {
  m_token.SetUnit(nullptr);
  m_suppressions.FinishFile(*m_file);
  m_warnings.SetFile(nullptr);
  m_run->SetFile(nullptr);
  m_file = nullptr;
}

void HLanguageRuns::Finish() {
  if (m_run) Close(true);
}

void HLanguageRuns::Open(const HLanguageRules::Rules& rules) {
  if (m_run) Close(false);
  m_open = rules;
  m_run = std::make_unique<HCheckRun>(rules.project, false, &m_token, *rules.texts);
  // The module compiles the rules when the run begins: a pattern that fails is named by these rules.
  m_warnings.SetRules(rules.texts);
  m_module.BeginCheckTokens(m_run.get());
}

void HLanguageRuns::Close(bool isFinal) {
  m_run->SetFinal(isFinal);
  m_module.EndCheckTokens(m_run.get());
  m_run.reset();
  m_warnings.SetRules(nullptr);
  m_open = {nullptr, nullptr};
}
