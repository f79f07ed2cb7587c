// The floor that inline-patterns is measured against: the fastest reading we can write (every file whole in
// memory, no validation, UTF-8 catalogs only) and the same PCRE2-16 JIT searches and comparisons as the
// module's "exist if in source" check, with no module, no host interfaces and no report.
// Usage: BareFloor RULES_INI PATH...   prints "units N violations N"
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Rule {
  pcre2_code* code = nullptr;
  pcre2_match_data* data = nullptr;
  bool caseless = false;
  int flags = 0;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return std::move(text).str();
}

// The active regular-expression rules with the "exist if in source" method, the only kind bench/rules has.
std::vector<Rule> LoadRules(const std::string& path) {
  std::vector<Rule> rules;
  std::istringstream ini(ReadAll(path));
  std::string pattern;
  Rule rule;
  for (std::string line; std::getline(ini, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("Pattern=")) pattern = line.substr(8);
    if (line.starts_with("Case=")) rule.caseless = line == "Case=0";
    if (!line.starts_with("CheckFlags=")) continue;
    rule.flags = std::stoi(line.substr(11));
    const std::u16string wide(pattern.begin(), pattern.end());  // the patterns are ASCII
    int error = 0;
    PCRE2_SIZE offset = 0;
    const uint32_t options =
        PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF | (rule.caseless ? PCRE2_CASELESS : 0);
    rule.code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(wide.c_str()), wide.size(), options, &error,
                              &offset, nullptr);
    if (rule.code == nullptr) continue;
    pcre2_jit_compile(rule.code, PCRE2_JIT_COMPLETE);
    rule.data = pcre2_match_data_create_from_pattern(rule.code, nullptr);
    rules.push_back(rule);
  }
  return rules;
}

void AppendUtf16(std::string_view utf8, std::u16string& out) {
  out.clear();
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) code = (code << 6) | (utf8[i + k] & 0x3F);
    i += extra + 1;
    if (code < 0x10000) {
      out += static_cast<char16_t>(code);
    } else {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
  }
}

class Checker {
 public:
  explicit Checker(std::vector<Rule> rules) : rules_(std::move(rules)) {}
  long units = 0;
  long violations = 0;

  void Check(std::string_view source, std::string_view target) {
    ++units;
    AppendUtf16(source, source16_);
    AppendUtf16(target, target16_);
    for (Rule& rule : rules_) {
      Matches(rule, source16_, sourceMatches_);
      Matches(rule, target16_, targetMatches_);
      violations += Compare(rule);
    }
  }

 private:
  static void Matches(Rule& rule, const std::u16string& text, std::vector<std::u16string_view>& out) {
    out.clear();
    for (PCRE2_SIZE at = 0; at <= text.size();) {
      const auto* subject = reinterpret_cast<PCRE2_SPTR>(text.data());
      if (pcre2_jit_match(rule.code, subject, text.size(), at, 0, rule.data, nullptr) < 0) return;
      const PCRE2_SIZE* span = pcre2_get_ovector_pointer(rule.data);
      if (span[1] <= span[0]) return;
      out.push_back(std::u16string_view(text).substr(span[0], span[1] - span[0]));
      at = span[1];
    }
  }

  static bool Equal(const Rule& rule, std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      const char16_t x = rule.caseless && a[i] >= u'A' && a[i] <= u'Z' ? a[i] + 32 : a[i];
      const char16_t y = rule.caseless && b[i] >= u'A' && b[i] <= u'Z' ? b[i] + 32 : b[i];
      if (x != y) return false;
    }
    return true;
  }

  // What the module reports for one rule: a count, each missing match, or one order violation.
  long Compare(const Rule& rule) {
    if (sourceMatches_.size() != targetMatches_.size()) return 1;
    if ((rule.flags & 4) == 0) return 0;
    used_.assign(targetMatches_.size(), false);
    long missing = 0;
    for (const auto match : sourceMatches_) {
      size_t partner = 0;
      while (partner < targetMatches_.size() &&
             (used_[partner] || !Equal(rule, match, targetMatches_[partner])))
        ++partner;
      if (partner < targetMatches_.size())
        used_[partner] = true;
      else
        ++missing;
    }
    if (missing > 0 || (rule.flags & 8) == 0) return missing;
    for (size_t i = 0; i < sourceMatches_.size(); ++i) {
      if (!Equal(rule, sourceMatches_[i], targetMatches_[i])) return 1;
    }
    return 0;
  }

  std::vector<Rule> rules_;
  std::u16string source16_, target16_;
  std::vector<std::u16string_view> sourceMatches_, targetMatches_;
  std::vector<bool> used_;
};

// The C escapes of a PO string, appended to out; the text starts after the opening quote.
void AppendPoString(std::string_view text, std::string& out) {
  static constexpr std::string_view kFrom = "ntr\\\"", kTo = "\n\t\r\\\"";
  for (size_t i = 0; i < text.size() && text[i] != '"'; ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const size_t at = kFrom.find(text[++i]);
    out += at == std::string_view::npos ? text[i] : kTo[at];
  }
}

// msgid, msgid_plural and msgstr[N] of each translated, not fuzzy, not obsolete entry; no header.
void CheckPo(std::string_view text, Checker& checker) {
  std::string id, plural, context;
  std::vector<std::string> forms;
  std::string* field = nullptr;
  bool fuzzy = false;
  auto flush = [&] {
    for (size_t n = 0; n < forms.size(); ++n) {
      if (!fuzzy && !id.empty() && !forms[n].empty()) checker.Check(n == 0 ? id : plural, forms[n]);
    }
    id.clear(), plural.clear(), forms.clear(), fuzzy = false, field = nullptr;
  };
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    const size_t quote = line.find('"');
    if (line.starts_with("#,") && line.find("fuzzy") != std::string_view::npos) {
      if (!forms.empty()) flush();
      fuzzy = true;
    } else if (line.empty() || line[0] == '#') {
      continue;
    } else if (line[0] == '"' && field != nullptr) {
      AppendPoString(line.substr(1), *field);
    } else if (line.starts_with("msgid_plural")) {
      field = &plural;
    } else if (line.starts_with("msgid") || line.starts_with("msgctxt")) {
      if (!forms.empty()) {
        const bool keepFuzzy = fuzzy && id.empty();
        flush();
        fuzzy = keepFuzzy;
      }
      field = line[3] == 'c' ? &context : &id;
    } else if (line.starts_with("msgstr")) {
      field = &forms.emplace_back();
    }
    if (quote != std::string_view::npos && line[0] != '"' && field != nullptr)
      AppendPoString(line.substr(quote + 1), *field);
  }
  flush();
}

// The text of an XLIFF element without its inline tags, entities resolved.
void AppendXmlText(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '<') {
      i = text.find('>', i);
      if (i == std::string_view::npos) return;
    } else if (text[i] == '&') {
      const size_t semi = text.find(';', i);
      const std::string_view name = text.substr(i + 1, semi - i - 1);
      out += name == "lt" ? '<' : name == "gt" ? '>' : name == "amp" ? '&' : name == "quot" ? '"' : '\'';
      i = semi;
    } else {
      out += text[i];
    }
  }
}

std::string_view Element(std::string_view unit, std::string_view name) {
  const size_t open = unit.find("<" + std::string(name));
  if (open == std::string_view::npos) return {};
  const size_t content = unit.find('>', open) + 1;
  if (unit[content - 2] == '/') return {};
  return unit.substr(content, unit.find("</" + std::string(name) + ">", content) - content);
}

void CheckXliff(std::string_view text, Checker& checker) {
  std::string source, target;
  for (size_t at = text.find("<trans-unit"); at != std::string_view::npos;
       at = text.find("<trans-unit", at)) {
    const size_t end = text.find("</trans-unit>", at);
    const std::string_view unit = text.substr(at, end - at);
    at = end;
    AppendXmlText(Element(unit, "target"), target);
    if (target.empty()) continue;
    AppendXmlText(Element(unit, "source"), source);
    checker.Check(source, target);
  }
}

void CollectFiles(const std::filesystem::path& path, std::vector<std::string>& files) {
  if (!std::filesystem::is_directory(path)) return files.push_back(path.string());
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: BareFloor RULES_INI PATH...\n";
    return 2;
  }
  std::vector<std::string> files;
  for (int i = 2; i < argc; ++i) CollectFiles(argv[i], files);
  // Everything in memory first, as the fastest reader would have it.
  std::vector<std::pair<std::string, std::string>> texts;
  for (const std::string& file : files) texts.emplace_back(file, ReadAll(file));
  Checker checker(LoadRules(argv[1]));
  for (const auto& [path, text] : texts) {
    if (path.ends_with(".po"))
      CheckPo(text, checker);
    else if (path.ends_with(".xlf") || path.ends_with(".xliff"))
      CheckXliff(text, checker);
  }
  std::printf("units %ld violations %ld\n", checker.units, checker.violations);
  return 0;
}
