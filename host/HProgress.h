// A progress line on standard error for long runs on a terminal.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

class HProgress {
 public:
  HProgress(std::ostream& err, bool enabled, size_t totalFiles)
      : m_err(err), m_enabled(enabled), m_total(totalFiles) {}

  void AddUnit();
  // Units that another process checked.
  void AddUnits(long units);
  void FinishFile();
  // Clears the line so that the summary starts on a clean one.
  void Finish();

 private:
  void Update();
  void Draw();

  std::ostream& m_err;
  bool m_enabled;
  size_t m_total;
  size_t m_files = 0;
  long m_units = 0;
  bool m_shown = false;
  std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point m_lastDraw{};
};
