// PO entries through libgettextpo: plural forms, message context, fuzzy and obsolete entries.
#include "HPoReader.h"

#include <gettext-po.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string_view>

#include "HCharset.h"
#include "HError.h"

namespace {

// libgettextpo wants a fatal-error handler that never returns; it jumps back to the read below.
struct PoErrorState {
  std::jmp_buf fatal;
  std::string message;
};
thread_local PoErrorState* g_errorState = nullptr;

void OnPoError(int severity, po_message_t /*message*/, const char* filename, size_t lineno, size_t /*column*/,
               int /*multiline*/, const char* text) {
  if (severity == PO_SEVERITY_WARNING) return;
  PoErrorState& state = *g_errorState;
  if (state.message.empty()) {
    if (filename != nullptr) {
      state.message = filename;
      if (lineno != static_cast<size_t>(-1)) state.message += ":" + std::to_string(lineno);
      state.message += ": ";
    }
    state.message += text == nullptr ? "malformed PO file" : text;
    while (!state.message.empty() && state.message.back() == '\n') state.message.pop_back();
  }
  if (severity == PO_SEVERITY_FATAL_ERROR) std::longjmp(state.fatal, 1);
}

void OnPoError2(int severity, po_message_t message1, const char* filename1, size_t lineno1, size_t column1,
                int multiline1, const char* text1, po_message_t, const char*, size_t, size_t, int,
                const char*) {
  OnPoError(severity, message1, filename1, lineno1, column1, multiline1, text1);
}

// Kept free of C++ objects with destructors, since a fatal error leaves it by longjmp.
po_file_t ReadPoFile(const char* path, PoErrorState& state) {
  const po_xerror_handler handler = {OnPoError, OnPoError2};
  g_errorState = &state;
  if (setjmp(state.fatal) != 0) return nullptr;
  return po_file_read(path, &handler);
}

// A fuzzy entry (msgfmt leaves it out) or an empty form still waits for a translator.
void EmitForm(HUnit& unit, bool fuzzy, const std::string& baseId, const std::string& source,
              const char* translation, int form, const HCharset& charset, const HUnitSink& sink) {
  const bool empty = translation == nullptr || *translation == '\0';
  unit.status = fuzzy || empty ? HUnit::Status::Untranslated : HUnit::Status::Translated;
  unit.id = form < 0 ? baseId : baseId + "[" + std::to_string(form) + "]";
  unit.sourcePlain = unit.sourceNative = source;
  unit.targetPlain = unit.targetNative = empty ? std::string() : charset.ToUtf8(translation);
  sink(unit);
}

void EmitEntry(po_message_t message, long line, const HCharset& charset, const HUnitSink& sink) {
  const char* rawMsgid = po_message_msgid(message);
  if (*rawMsgid == '\0' || po_message_is_obsolete(message)) return;
  const std::string msgid = charset.ToUtf8(rawMsgid);
  const char* context = po_message_msgctxt(message);
  const std::string baseId = context == nullptr ? msgid : charset.ToUtf8(context) + "|" + msgid;
  HUnit unit;
  unit.line = line;
  const bool fuzzy = po_message_is_fuzzy(message) != 0;
  const char* plural = po_message_msgid_plural(message);
  if (plural == nullptr)
    return EmitForm(unit, fuzzy, baseId, msgid, po_message_msgstr(message), -1, charset, sink);
  const std::string pluralId = charset.ToUtf8(plural);
  for (int form = 0; const char* translation = po_message_msgstr_plural(message, form); ++form) {
    EmitForm(unit, fuzzy, baseId, form == 0 ? msgid : pluralId, translation, form, charset, sink);
  }
}

// The charset that the header's Content-Type declares; empty when there is none.
std::string DeclaredCharset(po_file_t file) {
  const char* header = po_file_domain_header(file, nullptr);
  if (header == nullptr) return "";
  const std::unique_ptr<char, decltype(&std::free)> contentType(po_header_field(header, "Content-Type"),
                                                                std::free);
  if (!contentType) return "";
  const std::string_view field(contentType.get());
  const size_t start = field.find("charset=");
  if (start == std::string_view::npos) return "";
  const std::string_view rest = field.substr(start + 8);
  return std::string(rest.substr(0, rest.find_first_of("; \t")));
}

bool StartsWithKeyword(std::string_view line, std::string_view keyword) {
  if (line.substr(0, keyword.size()) != keyword || line.size() == keyword.size()) return false;
  const char next = line[keyword.size()];
  return next == ' ' || next == '\t' || next == '"';
}

}  // namespace

// libgettextpo keeps a few small strings per read file (the charset and plural header) that it never
// frees; LeakSanitizer builds must not count them against the host.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libgettextpo\n";
}

std::vector<long> HPoReader::EntryLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<long> lines;
  long lineNumber = 0;
  long contextLine = 0;
  for (std::string text; std::getline(in, text);) {
    ++lineNumber;
    std::string_view line(text);
    if (line.starts_with("#~")) {
      line.remove_prefix(2);
      line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    }
    if (StartsWithKeyword(line, "msgctxt")) {
      contextLine = lineNumber;
    } else if (StartsWithKeyword(line, "msgid")) {
      lines.push_back(contextLine != 0 ? contextLine : lineNumber);
      contextLine = 0;
    }
  }
  return lines;
}

void HPoReader::Read(const std::string& path, const HUnitSink& sink) {
  if (!std::ifstream(path)) throw HError(path + ": cannot open the file");
  PoErrorState state;
  po_file_t file = ReadPoFile(path.c_str(), state);
  if (file == nullptr || !state.message.empty()) {
    if (file != nullptr) po_file_free(file);
    throw HError(state.message.empty() ? path + ": cannot read the PO file" : state.message);
  }
  const std::unique_ptr<po_file, decltype(&po_file_free)> owner(file, po_file_free);
  std::unique_ptr<HCharset> charset;
  try {
    charset = std::make_unique<HCharset>(DeclaredCharset(file));
  } catch (const HError& error) {
    throw HError(path + ": " + error.what());
  }
  const std::vector<long> lines = EntryLines(path);
  size_t index = 0;
  for (const char* const* domain = po_file_domains(file); *domain != nullptr; ++domain) {
    const std::unique_ptr<struct po_message_iterator, decltype(&po_message_iterator_free)> iterator(
        po_message_iterator(file, *domain), po_message_iterator_free);
    while (po_message_t message = po_next_message(iterator.get())) {
      const long line = index < lines.size() ? lines[index] : 0;
      try {
        EmitEntry(message, line, *charset, sink);
      } catch (const HError& error) {
        throw HError(path + ":" + std::to_string(line) + ": " + error.what());
      }
      ++index;
    }
  }
}
