// The host's main flow: load the module as a host does, one check run per project, then report.
#include "HApplication.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>
#include <thread>

#include "HAddInHost.h"
#include "HBaseline.h"
#include "HCheckOptions.h"
#include "HError.h"
#include "HInstallPaths.h"
#include "HLanguageRules.h"
#include "HLanguageRuns.h"
#include "HLspServer.h"
#include "HModule.h"
#include "HProgress.h"
#include "HProject.h"
#include "HReportOutput.h"
#include "HReporter.h"
#include "HRuleFiles.h"
#include "HRulesCommand.h"
#include "HRunWarnings.h"
#include "HSuppressCommand.h"
#include "HToken.h"
#include "HTryCommand.h"
#include "HUnitReader.h"
#include "HWorkerPool.h"

namespace {

constexpr const char* kProgram = "inline-patterns";
constexpr const char* kRuleFile = "settings.ini";  // the name the module asks its rule files by
// A file's violations move to the spill file in pieces of about this many, so that a large file's do not
// gather in memory either.
constexpr size_t kSpillEvery = 512;

std::vector<HProject> MakeProjects(const HOptions& options) {
  std::vector<HProject> projects;
  projects.reserve(options.paths.size());
  for (const std::string& path : options.paths) {
    projects.emplace_back(path, options.projectRules);
    if (projects.back().Files().empty()) throw HError(path + ": no .xlf, .xliff or .po files");
  }
  return projects;
}

std::vector<HProject*> Pointers(std::vector<HProject>& projects) {
  std::vector<HProject*> pointers;
  for (HProject& project : projects) pointers.push_back(&project);
  return pointers;
}

}  // namespace

int HApplication::Run(const std::vector<std::string>& arguments) {
  try {
    // The subcommands have units and options of their own.
    const HConsole console{m_out, m_err,
                           UseColour(m_outIsTerminal, std::getenv("TERM"), std::getenv("NO_COLOR"))};
    const std::vector<std::string> rest(arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end());
    if (!arguments.empty() && arguments[0] == "rules") return HRulesCommand::Run(rest, console);
    if (!arguments.empty() && arguments[0] == "try") return HTryCommand::Run(rest, console);
    if (!arguments.empty() && arguments[0] == "suppress") return HSuppressCommand::Run(rest, console);
    if (!arguments.empty() && arguments[0] == "lsp") return HLspServer::Main(rest, std::cin, console);
    const HOptions options = HOptions::Parse(arguments);
    if (options.help) return Deliver(HOptions::Usage(), kClean);
    return Execute(options);
  } catch (const HError& error) {
    m_err << kProgram << ": " << error.what() << "\n";
    return kError;
  }
}

int HApplication::Execute(const HOptions& options) {
  if (options.version) m_out << kProgram << " " << IP_VERSION << "\n";
  std::vector<HProject> projects = MakeProjects(options);
  const std::string globalFolder = HRuleFiles::GlobalFolderForCheck(options.globalFolder, projects, m_err);
  // The expression objects report to the warnings until the module drops them, at the last run's end.
  HToken token;
  HRunWarnings warnings(token);
  HAddInHost host(globalFolder, Pointers(projects), &warnings);
  const std::string modulePath =
      options.modulePath.empty() ? HInstallPaths::Module().string() : options.modulePath;
  HModule module(modulePath);
  module.Register(&host, host.Site());
  if (options.version)
    return Deliver("add-in module: " + module.DisplayName() + " (" + modulePath + ")\n", kClean);
  if (options.verbose) {
    m_err << kProgram << ": add-in \"" << module.DisplayName() << "\" from " << modulePath
          << ", global rules in " << globalFolder << "\n";
  }
  std::optional<HBaseline> baseline;
  if (!options.baseline.empty()) baseline = HBaseline::Load(options.baseline);
  HRunResult result = CheckProjects(module, projects, globalFolder, options, token, warnings);
  result.GatherFromFiles();
  if (!options.writeBaseline.empty()) {
    HBaseline found = HBaseline::Of(result);
    found.Save(options.writeBaseline);
    if (!baseline) baseline = std::move(found);
  }
  if (baseline) baseline->Apply(result);
  const bool colour = options.format == HFormat::Text &&
                      UseColour(m_outIsTerminal, std::getenv("TERM"), std::getenv("NO_COLOR"));
  const bool failed = result.HasErrors() || (options.strict && !result.warnings.empty()) ||
                      (options.strictSuppressions && result.HasStaleSuppressions());
  const int status = failed ? kError : result.Violations() > 0 ? kViolations : kClean;
  // Written as it is made, so that a large report is never held whole.
  HReportOutput output(m_out);
  std::ostream report(&output);
  HReporter(options.format, colour, options.verbose, options.baseFolder).Write(result, report);
  output.Finish();
  const int delivered = Delivered(status);
  if (!m_out) return delivered;
  PrintProblems(result);
  if (!options.quiet) PrintSummary(result);
  return status;
}

// The files of the run, numbered across the projects in order: all of them, or every Nth of a shard.
HApplication::Share HApplication::ShareOf(const std::vector<HProject>& projects, const HOptions& options) {
  Share share;
  size_t number = 0;
  for (const HProject& project : projects) {
    for (const std::string& path : project.Files()) {
      const bool mine = number++ % options.shardCount == options.shardIndex;
      share.local.push_back(mine ? share.paths.size() : kNotMine);
      if (mine) share.paths.push_back(path);
    }
  }
  return share;
}

HRunResult HApplication::CheckProjects(HModule& module, std::vector<HProject>& projects,
                                       const std::string& globalFolder, const HOptions& options,
                                       HToken& token, HRunWarnings& warnings) {
  const Share share = ShareOf(projects, options);
  HProgress progress(m_err, m_errIsTerminal && !options.quiet, share.paths.size());
  const size_t jobs = options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  if (jobs == 1 || share.paths.size() < 2)
    return CheckShare(module, projects, globalFolder, options, share, token, warnings, progress, nullptr);
  HProgress quiet(m_err, false, 0);
  HRunResult result = HWorkerPool::Run(
      jobs, share.paths,
      [&](const HWorkerPool::Calls& worker) {
        return CheckShare(module, projects, globalFolder, options, share, token, warnings, quiet, &worker);
      },
      [&](size_t, const HFileResult& file) {
        progress.AddUnits(file.units);
        progress.FinishFile();
      });
  progress.Finish();
  return result;
}

// One check run per project, each over the files of the share that the worker's `take` gives this process
// (all without a worker); each file's result goes to its `done` as well.
HRunResult HApplication::CheckShare(HModule& module, std::vector<HProject>& projects,
                                    const std::string& globalFolder, const HOptions& options,
                                    const Share& share, HToken& token, HRunWarnings& warnings,
                                    HProgress& progress, const HWorkerPool::Calls* worker) {
  HRunResult result;
  // The runs point into this vector: it must never reallocate.
  result.files.reserve(share.paths.size());
  warnings.SetResult(&result);
  HCheckOptions checkOptions;
  HLanguageRules languageRules((std::filesystem::path(globalFolder) / kRuleFile).string());
  HLanguageRuns runs(module, languageRules, token, warnings, options.targetLanguage);
  // A file's violations so far leave memory: to the spill file, or ahead to the parent.
  const auto keep = [&](size_t local, HFileResult& file) {
    if (worker == nullptr) return result.Spill(result.files.size() - 1);
    HFileResult piece;
    piece.violations.swap(file.violations);
    piece.suppressed.swap(file.suppressed);
    worker->piece(local, piece);
  };
  size_t number = 0;
  for (HProject& project : projects) {
    runs.StartProject(project);
    for (const std::string& path : project.Files()) {
      const size_t local = share.local[number++];
      if (local == kNotMine || (worker != nullptr && !worker->take(local))) continue;
      HFileResult& file = result.files.emplace_back();
      file.path = path;
      runs.CheckFile(
          file, [&](const HUnitSink& sink) { HUnitReader::Read(path, sink); }, options.checkUntranslated,
          &checkOptions,
          [&](const HUnit&) {
            progress.AddUnit();
            if (file.violations.size() + file.suppressed.size() >= kSpillEvery) keep(local, file);
          });
      progress.FinishFile();
      if (worker == nullptr) {
        keep(local, file);
        continue;
      }
      worker->done(local, file);
      file = HFileResult();  // sent: the worker holds one file's violations, a piece at a time
    }
  }
  // The last run's end is final, so the module drops its rules and expression objects.
  runs.Finish();
  progress.Finish();
  warnings.SetResult(nullptr);
  for (const std::string& failure : module.Failures())
    result.errors.push_back({"", 0, "the module's " + failure});
  return result;
}

void HApplication::PrintProblems(const HRunResult& result) const {
  for (const HFileResult& file : result.files) {
    if (file.error) m_err << HReporter::ErrorLine(*file.error);
  }
  for (const HInputError& error : result.errors) m_err << HReporter::ErrorLine(error);
  for (const HWarning& warning : result.warnings) m_err << HReporter::WarningLine(warning);
}

void HApplication::PrintSummary(const HRunResult& result) const {
  m_err << kProgram << ": " << result.Units() << " units checked, " << result.Untranslated()
        << " not yet translated, ";
  if (result.NotTranslatable() > 0) m_err << result.NotTranslatable() << " not to be translated, ";
  m_err << "in " << result.files.size() << " files: " << result.Violations()
        << (result.baseline ? " new violations" : " violations");
  if (result.baseline) {
    m_err << " (" << result.baseline->unchanged.size() << " in the baseline, "
          << result.baseline->absent.size() << " fixed)";
  }
  if (result.Suppressed() > 0) m_err << ", " << result.Suppressed() << " suppressed";
  if (!result.warnings.empty()) m_err << ", " << result.warnings.size() << " warnings";
  m_err << "\n";
}

int HApplication::Deliver(const std::string& text, int status) const {
  errno = 0;
  m_out << text;
  return Delivered(status);
}

// A report nobody received is an input/output error, except when the reader closed the pipe on purpose
// (`| head`): then it has what it wanted and the program ends without a word. A failed write leaves the
// stream failed, so nothing more is written and errno still tells why.
int HApplication::Delivered(int status) const {
  m_out.flush();
  if (m_out) return status;
  const int cause = errno;
  if (cause == EPIPE) return status;
  m_err << kProgram << ": cannot write the report"
        << (cause == 0 ? "" : std::string(": ") + std::strerror(cause)) << "\n";
  return kError;
}

bool HApplication::UseColour(bool outIsTerminal, const char* term, const char* noColour) {
  return outIsTerminal && (noColour == nullptr || *noColour == '\0') && term != nullptr && *term != '\0' &&
         std::string_view(term) != "dumb";
}
