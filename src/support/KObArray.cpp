// KObArray: deletion of owned elements and pointer search.
#include "support/KObArray.h"

KObArray::~KObArray() {
  if (ownsElements_) DeleteAll();
}

void KObArray::DeleteAll() {
  // The count is read on every step: a destructor may not shrink the array, but must not be trusted to.
  for (int i = 0; i < GetSize(); ++i) delete GetAt(i);
  RemoveAll();
}

int KObArray::Find(const KObject* object) const {
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i) == object) return i;
  return -1;
}
