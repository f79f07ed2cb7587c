// KFileReplacer: how a save gives a file its new content, whole or not at all, without undoing what users
// set up around the file (links to it, its permissions and owner, their own files beside it).
#pragma once

#include <string>

#include "support/KStdioFile.h"

// The new content goes to a temporary file beside the target and replaces the target by a rename once it is
// on the disk, so an interrupted save leaves the old file (and, on Linux, no temporary file either). The target is the file that a symbolic link
// names, in that file's folder, so the link stays a link. A target with a second name (a hard link), or in a
// folder that takes no new file, is written in place: keeping the user's file beats atomicity there.
class KFileReplacer {
 public:
  explicit KFileReplacer(const std::u16string& path);
  KFileReplacer(const KFileReplacer&) = delete;
  KFileReplacer& operator=(const KFileReplacer&) = delete;
  // Removes a temporary file that did not replace the target.
  ~KFileReplacer();

  // Opens file for the new content. False, with nothing changed, when the target exists but cannot be
  // written (its owner made it read-only) or neither a temporary file nor the target can be opened.
  bool Open(KStdioFile& file);
  // Puts the content written to file on the disk, closes file and makes the content the target's, with the
  // target's permissions and (where permitted) owner. Throws KFileException; the target then stays as it
  // was unless it was being written in place.
  void Commit(KStdioFile& file);

  // The file that gets the content: the path with its symbolic links followed.
  const std::u16string& Target() const { return target_; }

 private:
  bool OpenUnnamed(KStdioFile& file);
  bool OpenTemporary(KStdioFile& file);
  // Gives the unnamed file the first free temporary name; throws KFileException.
  void NameUnnamed(const KStdioFile& file);

  std::u16string target_;
  std::u16string temporary_;  // empty while writing in place and once the rename is done
  bool unnamed_ = false;      // the content goes to a file without a name until Commit names it
};
