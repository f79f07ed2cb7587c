// Violations kept in an unnamed temporary file until the report, so that a run's memory does not grow with
// the number of violations it finds, however many files or however large a file holds them.
#pragma once

#include <cstdint>
#include <vector>

#include "HRunResult.h"

class HResultSpill {
 public:
  using List = HRunResult::List;

  // Where no temporary file can be made, Put keeps nothing and the lists stay in memory.
  HResultSpill();
  ~HResultSpill();
  HResultSpill(const HResultSpill&) = delete;
  HResultSpill& operator=(const HResultSpill&) = delete;

  // Moves the file's violations and suppressed ones to the disk as the next piece of the file with this
  // number; false (and the file as it was) when they could not be written or there was nothing to move.
  bool Put(size_t number, HFileResult& file);
  size_t Pieces(size_t number) const { return number < m_files.size() ? m_files[number].size() : 0; }
  // A piece's lists; the other fields of the result stay empty.
  HFileResult Read(size_t number, size_t piece) const;
  // Writes changed lists over a piece.
  void Replace(size_t number, size_t piece, const HFileResult& lists);
  long Count(size_t number, List list) const;
  long Violations() const { return m_violations; }
  long Suppressed() const { return m_suppressed; }

 private:
  struct Piece {
    uint64_t offset = 0;
    uint64_t size = 0;
    long violations = 0;
    long suppressed = 0;
  };
  // Appends the lists' record; false when it could not be written.
  bool Append(const HFileResult& lists, Piece& piece);
  void Count(const Piece& piece, long sign);

  int m_fd = -1;
  uint64_t m_end = 0;  // records are appended; a piece replaced leaves its old bytes unused
  std::vector<std::vector<Piece>> m_files;
  long m_violations = 0;
  long m_suppressed = 0;
};
