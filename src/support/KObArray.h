// Arrays of owned polymorphic objects: KObArray and its typed pointer arrays.
#pragma once

#include "support/KArray.h"

// An object that a KObArray can delete: anything with a virtual destructor.
class KObject {
 public:
  virtual ~KObject() = default;
};

class KObArray : public KArray<KObject*> {
 public:
  KObArray() = default;
  ~KObArray() override;

  // When on, destroying the array deletes its elements (DeleteAll). Off after construction.
  void SetOwnsElements(bool owns) { ownsElements_ = owns; }
  bool OwnsElements() const { return ownsElements_; }

  // Deletes every non-null element, front to back, then empties the array.
  void DeleteAll();
  // The first index holding the pointer, or -1.
  int Find(const KObject* object) const;

 private:
  bool ownsElements_ = false;
};

// A KObArray whose elements are T (derived from KObject); the element type is the only difference.
template <class T>
class KTypedPtrArray : public KObArray {
 public:
  T* GetAt(int index) const { return static_cast<T*>(KObArray::GetAt(index)); }
  T* operator[](int index) const { return GetAt(index); }
  int Add(T* object) { return KObArray::Add(object); }
  void SetAt(int index, T* object) { KObArray::SetAt(index, object); }
  void InsertAt(int index, T* object) { KObArray::InsertAt(index, object); }
  int Find(const T* object) const { return KObArray::Find(object); }
};
