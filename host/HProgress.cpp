// The progress line: shown only once a run is long (many units or a second), redrawn ten times a second.
#include "HProgress.h"

#include <string>

namespace {

constexpr long kUnitsBeforeShowing = 2000;
constexpr auto kTimeBeforeShowing = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr size_t kBarWidth = 30;
// Reading the clock for every unit would cost more than some checks; every 64th unit is often enough.
constexpr long kUnitsPerClockRead = 64;

}  // namespace

void HProgress::AddUnit() {
  ++m_units;
  if (m_enabled && m_units % kUnitsPerClockRead == 0) Update();
}

void HProgress::AddUnits(long units) {
  m_units += units;
}

void HProgress::FinishFile() {
  ++m_files;
  if (m_enabled) Update();
}

void HProgress::Update() {
  const auto now = std::chrono::steady_clock::now();
  if (!m_shown && m_units < kUnitsBeforeShowing && now - m_start < kTimeBeforeShowing) return;
  if (m_shown && now - m_lastDraw < kRedrawInterval) return;
  m_lastDraw = now;
  m_shown = true;
  Draw();
}

void HProgress::Draw() {
  const size_t filled = m_total == 0 ? kBarWidth : kBarWidth * m_files / m_total;
  m_err << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] " << m_files << "/"
        << m_total << " files, " << m_units << " units" << std::flush;
}

void HProgress::Finish() {
  if (m_shown) m_err << "\r\x1b[2K" << std::flush;
  m_shown = false;
}
