// Writes the violations of a run for people (text) or for tools and CI (JSON, JUnit XML, SARIF 2.1.0).
#pragma once

#include <ostream>
#include <string>

#include "HOptions.h"
#include "HRunResult.h"

class HReporter {
 public:
  HReporter(HFormat format, bool colour, bool verbose)
      : m_format(format), m_colour(colour), m_verbose(verbose) {}

  void Write(const HRunResult& result, std::ostream& out) const;

  static std::string JsonString(const std::string& text);
  static std::string XmlEscape(const std::string& text);
  // One line for standard error: "file:line: error: message".
  static std::string ErrorLine(const HInputError& error);

 private:
  void WriteText(const HRunResult& result, std::ostream& out) const;
  void WriteJson(const HRunResult& result, std::ostream& out) const;
  void WriteJUnit(const HRunResult& result, std::ostream& out) const;
  void WriteSarif(const HRunResult& result, std::ostream& out) const;
  static std::string JsonError(const HInputError& error);
  std::string Paint(const std::string& text, const char* code) const;

  HFormat m_format;
  bool m_colour;
  bool m_verbose;
};
