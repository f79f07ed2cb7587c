// The spill file: each piece's lists as one HResultCodec record, appended, read back by offset.
#include "HResultSpill.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "HError.h"
#include "HResultCodec.h"

HResultSpill::HResultSpill() {
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(ignored);
  // Unnamed from the start where the file system allows, so that nothing is left behind by a crash.
  m_fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (m_fd >= 0) return;
  std::string name = (folder / "inline-patterns-XXXXXX").string();
  m_fd = mkostemp(name.data(), O_CLOEXEC);
  if (m_fd >= 0) unlink(name.c_str());
}

HResultSpill::~HResultSpill() {
  if (m_fd >= 0) close(m_fd);
}

bool HResultSpill::Put(size_t number, HFileResult& file) {
  if (m_fd < 0 || (file.violations.empty() && file.suppressed.empty())) return false;
  HFileResult lists;
  lists.violations = std::move(file.violations);
  lists.suppressed = std::move(file.suppressed);
  Piece piece;
  if (!Append(lists, piece)) {
    file.violations = std::move(lists.violations);
    file.suppressed = std::move(lists.suppressed);
    return false;
  }
  if (m_files.size() <= number) m_files.resize(number + 1);
  m_files[number].push_back(piece);
  Count(piece, 1);
  return true;
}

HFileResult HResultSpill::Read(size_t number, size_t piece) const {
  const Piece& at = m_files.at(number).at(piece);
  std::string bytes(at.size, '\0');
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t got =
        pread(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(at.offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) throw HError("cannot read back the violations kept in a temporary file");
    done += static_cast<size_t>(got);
  }
  return HResultCodec::DecodeFile(bytes);
}

void HResultSpill::Replace(size_t number, size_t piece, const HFileResult& lists) {
  Piece& at = m_files.at(number).at(piece);
  Count(at, -1);
  if (!Append(lists, at)) throw HError("cannot keep the violations in a temporary file");
  Count(at, 1);
}

long HResultSpill::Count(size_t number, List list) const {
  long total = 0;
  for (size_t piece = 0; piece < Pieces(number); ++piece) {
    const Piece& at = m_files[number][piece];
    total += list == &HFileResult::violations ? at.violations : at.suppressed;
  }
  return total;
}

bool HResultSpill::Append(const HFileResult& lists, Piece& piece) {
  std::string bytes;
  HResultCodec::Encode(lists, bytes);
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t written =
        pwrite(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(m_end + done));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  piece = {m_end, bytes.size(), static_cast<long>(lists.violations.size()),
           static_cast<long>(lists.suppressed.size())};
  m_end += bytes.size();
  return true;
}

void HResultSpill::Count(const Piece& piece, long sign) {
  m_violations += sign * piece.violations;
  m_suppressed += sign * piece.suppressed;
}
