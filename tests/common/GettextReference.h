// libgettextpo as the reference for the host's own PO reader: the translated units it gives for a catalog,
// as id|source|translation lines, for the reader's tests and its differential fuzz target.
#pragma once

#include <gettext-po.h>

#include <csetjmp>
#include <memory>
#include <string>
#include <vector>

#include "HUnit.h"

namespace gettext_reference {

inline bool g_rejected = false;
inline std::jmp_buf g_fatal;  // libgettextpo's handler of a fatal error must not return

inline void OnError(int severity, po_message_t, const char*, size_t, size_t, int, const char*) {
  if (severity != PO_SEVERITY_WARNING) g_rejected = true;
  if (severity == PO_SEVERITY_FATAL_ERROR) std::longjmp(g_fatal, 1);
}
inline void OnError2(int severity, po_message_t, const char*, size_t, size_t, int, const char*, po_message_t,
                     const char*, size_t, size_t, int, const char*) {
  OnError(severity, nullptr, nullptr, 0, 0, 0, nullptr);
}

// Free of objects with destructors, since a fatal error leaves it by longjmp.
inline po_file_t ReadGettext(const char* path) {
  const po_xerror_handler handler = {OnError, OnError2};
  if (setjmp(g_fatal) != 0) return nullptr;
  return po_file_read(path, &handler);
}

// libgettextpo's units, or false when it reports an error.
inline bool GettextUnits(const std::string& path, std::vector<std::string>& units) {
  g_rejected = false;
  const std::unique_ptr<po_file, decltype(&po_file_free)> file(ReadGettext(path.c_str()), po_file_free);
  if (!file || g_rejected) return false;
  const std::unique_ptr<struct po_message_iterator, decltype(&po_message_iterator_free)> messages(
      po_message_iterator(file.get(), nullptr), po_message_iterator_free);
  while (po_message_t m = po_next_message(messages.get())) {
    const std::string id = po_message_msgid(m);
    if (id.empty() || po_message_is_obsolete(m) || po_message_is_fuzzy(m)) continue;
    const char* context = po_message_msgctxt(m);
    const std::string base = context ? std::string(context) + "|" + id : id;
    const char* plural = po_message_msgid_plural(m);
    if (!plural && *po_message_msgstr(m)) units.push_back(base + "|" + id + "|" + po_message_msgstr(m));
    for (int form = 0; plural && po_message_msgstr_plural(m, form); ++form) {
      const std::string text = po_message_msgstr_plural(m, form);
      if (!text.empty())
        units.push_back(base + "[" + std::to_string(form) + "]|" + (form ? plural : id) + "|" + text);
    }
  }
  return !g_rejected;
}

// The same line for a unit of the host's reader; empty for one that is not a translation.
inline std::string UnitLine(const HUnit& unit) {
  return unit.status == HUnit::Status::Translated ? unit.id + "|" + unit.sourcePlain + "|" + unit.targetPlain
                                                  : "";
}

}  // namespace gettext_reference

// libgettextpo keeps a few small strings per read file (the charset and plural header) that it never
// frees; LeakSanitizer must not count them. A program includes this header once.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libgettextpo\n";
}
