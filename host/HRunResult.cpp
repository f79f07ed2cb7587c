// A run's files as the report reads them: their lists from the spill file first, then what is in memory.
#include "HRunResult.h"

#include "HResultSpill.h"

void HRunResult::Spill(size_t number) {
  if (!spill) spill = std::make_shared<HResultSpill>();
  spill->Put(number, files[number]);
}

void HRunResult::ForEachOf(size_t number, List list,
                           const std::function<void(const HViolation&)>& visit) const {
  for (size_t piece = 0; spill && piece < spill->Pieces(number); ++piece) {
    const HFileResult lists = spill->Read(number, piece);
    for (const HViolation& v : lists.*list) visit(v);
  }
  for (const HViolation& v : files[number].*list) visit(v);
}

long HRunResult::CountOf(size_t number, List list) const {
  return (spill ? spill->Count(number, list) : 0) + static_cast<long>((files[number].*list).size());
}

void HRunResult::ChangeViolations(size_t number,
                                  const std::function<void(std::vector<HViolation>&)>& change) {
  for (size_t piece = 0; spill && piece < spill->Pieces(number); ++piece) {
    HFileResult lists = spill->Read(number, piece);
    change(lists.violations);
    spill->Replace(number, piece, lists);
  }
  change(files[number].violations);
}

long HRunResult::Violations() const {
  long total = spill ? spill->Violations() : 0;
  for (const HFileResult& file : files) total += static_cast<long>(file.violations.size());
  return total;
}

long HRunResult::Suppressed() const {
  long total = spill ? spill->Suppressed() : 0;
  for (const HFileResult& file : files) total += static_cast<long>(file.suppressed.size());
  return total;
}
