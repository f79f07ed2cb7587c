// The report's way to the output while it is being made: large pieces, and the reason of the first write
// that failed, which the report's later system calls (reading back violations, resolving paths) would
// otherwise overwrite in errno.
#pragma once

#include <ostream>
#include <streambuf>

class HReportOutput final : public std::streambuf {
 public:
  explicit HReportOutput(std::ostream& out) : m_out(out) { setp(m_buffer, m_buffer + sizeof m_buffer); }
  HReportOutput(const HReportOutput&) = delete;
  HReportOutput& operator=(const HReportOutput&) = delete;

  // Writes what is left and flushes the output; false when a write failed, with errno as that write left it.
  bool Finish();

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool Drain();

  std::ostream& m_out;
  char m_buffer[1 << 16];
  int m_error = 0;  // errno of the first failed write; nothing is written after it
  bool m_failed = false;
};
