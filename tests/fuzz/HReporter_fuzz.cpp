// Fuzzes the reports: any file path, unit id, rule name, message or text (the input split at NUL bytes)
// gives JSON and SARIF that a JSON parser reads back and JUnit XML that an XML parser reads back, with
// suppressed violations and a baseline; the HTML report is written under the sanitizers' eyes.
#include <libxml/parser.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "HReporter.h"

namespace {

std::string Report(HFormat format, const HRunResult& result) {
  std::ostringstream out;
  HReporter(format, false, true, "/base").Write(result, out);
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> f = fuzz::SplitAtNul(data, size);
  f.resize(8);
  HRunResult result;
  HViolation violation{f[0], 3, 7, f[1], f[2], f[3], f[4], f[5], true};
  HFileResult& file = result.files.emplace_back();
  file = {f[0], 2, 1, 0, {violation}, {violation}, HInputError{f[0], 9, f[6]}, {}, {}};
  result.baseline = HBaselineResult{{violation}, {violation}};
  result.errors.push_back({"", 0, f[7]});
  result.warnings.push_back({f[0], 4, f[2], f[6]});
  result.rules[f[2]] = HRuleInfo{f[2], f[7], true, false, 1, 14, true, f[0]};
  for (const HFormat format : {HFormat::Json, HFormat::Sarif})
    fuzz::Require(nlohmann::json::accept(Report(format, result)));
  Report(HFormat::Html, result);  // any bytes: the sanitizers watch it
  const std::string junit = Report(HFormat::JUnit, result);
  xmlDocPtr document = xmlReadMemory(junit.data(), static_cast<int>(junit.size()), "junit.xml", nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  fuzz::Require(document != nullptr);
  xmlFreeDoc(document);
  return 0;
}
