// CStringGetter: the per-pair cache of the four texts.
#include "check/CStringGetter.h"

const std::u16string& CStringGetter::Get(int32_t kind) {
  const uint32_t bit = 1u << kind;
  if ((cachedKinds_ & bit) == 0) {
    ReadText(kind, cache_[kind]);
    cachedKinds_ |= bit;
  }
  return cache_[kind];
}
