// Fuzzes the host's PO reader against libgettextpo: for every UTF-8 catalog that libgettextpo reads without
// an error, both give the same units (id, source, translation) in the same order; any input either rejects
// ends in an error, never a crash.
#include <gettext-po.h>

#include <csetjmp>
#include <memory>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "HError.h"
#include "HPoReader.h"

namespace {

bool g_rejected = false;
std::jmp_buf g_fatal;  // libgettextpo's handler of a fatal error must not return

void OnError(int severity, po_message_t, const char*, size_t, size_t, int, const char*) {
  if (severity != PO_SEVERITY_WARNING) g_rejected = true;
  if (severity == PO_SEVERITY_FATAL_ERROR) std::longjmp(g_fatal, 1);
}
void OnError2(int severity, po_message_t, const char*, size_t, size_t, int, const char*, po_message_t,
              const char*, size_t, size_t, int, const char*) {
  OnError(severity, nullptr, nullptr, 0, 0, 0, nullptr);
}

// Free of objects with destructors, since a fatal error leaves it by longjmp.
po_file_t ReadGettext(const char* path) {
  const po_xerror_handler handler = {OnError, OnError2};
  if (setjmp(g_fatal) != 0) return nullptr;
  return po_file_read(path, &handler);
}

// libgettextpo's units, or false when it reports an error.
bool GettextUnits(const std::string& path, std::vector<std::string>& units) {
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

}  // namespace

// libgettextpo keeps a few small strings per read file (the charset and plural header) that it never
// frees; LeakSanitizer must not count them.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libgettextpo\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // Other charsets are converted by our reader only (and an unknown one is an error); libgettextpo hands
  // their bytes on as they are. Only catalogs whose every "charset=" names UTF-8 are compared.
  for (size_t at = bytes.find("charset="); at != std::string::npos; at = bytes.find("charset=", at + 1))
    if (bytes.compare(at + 8, 7, "UTF-8\\n") != 0) return 0;
  const fuzz::KScratchFolder& scratch = fuzz::Scratch();
  scratch.Write("in.po", data, size);
  const std::string path = (scratch.Path() / "in.po").string();
  std::vector<std::string> ours;
  bool oursRead = true;
  try {
    HPoReader::Read(path, [&](const HUnit& u) {
      if (u.status == HUnit::Status::Translated)
        ours.push_back(u.id + "|" + u.sourcePlain + "|" + u.targetPlain);
    });
  } catch (const HError&) {
    oursRead = false;
  }
  std::vector<std::string> theirs;
  if (!GettextUnits(path, theirs)) return 0;
  fuzz::Require(oursRead);
  fuzz::Require(ours == theirs);
  return 0;
}
