// inline-patterns from arguments to exit status: projects, module, check runs and the report.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "HOptions.h"
#include "HRunResult.h"
#include "HWorkerPool.h"

class HModule;
class HProject;
class HProgress;
class HRunWarnings;
class HToken;

class HApplication {
 public:
  enum ExitCode { kClean = 0, kViolations = 1, kError = 2 };

  // The terminal flags say where colours and the progress line may go.
  HApplication(std::ostream& out, std::ostream& err, bool outIsTerminal, bool errIsTerminal)
      : m_out(out), m_err(err), m_outIsTerminal(outIsTerminal), m_errIsTerminal(errIsTerminal) {}

  int Run(const std::vector<std::string>& arguments);
  // A terminal whose TERM can show colours, and a user who did not set NO_COLOR; nullptr: not set.
  static bool UseColour(bool outIsTerminal, const char* term, const char* noColour);

 private:
  int Execute(const HOptions& options);
  // The files this run checks: for each file across the projects its number in the share, or kNotMine;
  // and the share's files in that order.
  static constexpr size_t kNotMine = SIZE_MAX;
  struct Share {
    std::vector<size_t> local;
    std::vector<std::string> paths;
  };
  static Share ShareOf(const std::vector<HProject>& projects, const HOptions& options);
  HRunResult CheckProjects(HModule& module, std::vector<HProject>& projects, const std::string& globalFolder,
                           const HOptions& options, HToken& token, HRunWarnings& warnings);
  HRunResult CheckShare(HModule& module, std::vector<HProject>& projects, const std::string& globalFolder,
                        const HOptions& options, const Share& share, HToken& token, HRunWarnings& warnings,
                        HProgress& progress, const HWorkerPool::Calls* worker);
  void PrintProblems(const HRunResult& result) const;
  void PrintSummary(const HRunResult& result) const;
  int Deliver(const std::string& text, int status) const;
  // The status, once what was written to the output has reached it.
  int Delivered(int status) const;

  std::ostream& m_out;
  std::ostream& m_err;
  bool m_outIsTerminal;
  bool m_errIsTerminal;
};
