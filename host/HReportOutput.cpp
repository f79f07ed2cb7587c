// HReportOutput: a put area that goes to the output stream whole, and stops at its first failure.
#include "HReportOutput.h"

#include <cerrno>

bool HReportOutput::Finish() {
  if (Drain()) {
    errno = 0;
    if (m_out.flush()) return true;
    m_failed = true;
    m_error = errno;
  }
  errno = m_error;
  return false;
}

HReportOutput::int_type HReportOutput::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int HReportOutput::sync() {
  return Drain() ? 0 : -1;
}

bool HReportOutput::Drain() {
  if (!m_failed) {
    errno = 0;
    m_out.write(pbase(), pptr() - pbase());
    m_failed = !m_out;
    m_error = errno;
  }
  setp(m_buffer, m_buffer + sizeof m_buffer);
  return !m_failed;
}
