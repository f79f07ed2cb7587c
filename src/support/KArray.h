// The growable array that the typed arrays extend: index from 0, grow-by, set-at-grow, insert and remove.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/KException.h"

template <class T>
class KArray {
 public:
  KArray() = default;
  KArray(const KArray&) = delete;
  KArray& operator=(const KArray&) = delete;
  virtual ~KArray() = default;

  int GetSize() const { return static_cast<int>(items_.size()); }
  int GetCount() const { return GetSize(); }
  bool IsEmpty() const { return items_.empty(); }
  int GetUpperBound() const { return GetSize() - 1; }

  // growBy is a capacity hint: storage grows by at least that many elements.
  void SetSize(int size, int growBy = -1) {
    if (size < 0) throw KInvalidArgException("KArray::SetSize: negative size");
    if (growBy >= 0) growBy_ = growBy;
    items_.resize(static_cast<size_t>(size));
  }

  const T& GetAt(int index) const { return items_[Checked(index)]; }
  T& ElementAt(int index) { return items_[Checked(index)]; }
  void SetAt(int index, T value) { items_[Checked(index)] = std::move(value); }
  const T& operator[](int index) const { return GetAt(index); }
  T& operator[](int index) { return ElementAt(index); }

  void SetAtGrow(int index, T value) {
    if (index < 0) throw KInvalidArgException("KArray::SetAtGrow: negative index");
    if (index >= GetSize()) Grow(index + 1);
    items_[static_cast<size_t>(index)] = std::move(value);
  }

  int Add(T value) {
    Grow(GetSize() + 1);
    items_.back() = std::move(value);
    return GetSize() - 1;
  }

  void InsertAt(int index, T value, int count = 1) {
    if (index < 0 || count < 0) throw KInvalidArgException("KArray::InsertAt: negative index or count");
    if (index > GetSize()) Grow(index);
    Reserve(GetSize() + count);
    items_.insert(items_.begin() + index, static_cast<size_t>(count), value);
  }

  void RemoveAt(int index, int count = 1) {
    if (index < 0 || count < 0 || index + count > GetSize())
      throw KInvalidArgException("KArray::RemoveAt: range outside the array");
    items_.erase(items_.begin() + index, items_.begin() + index + count);
  }

  void RemoveAll() {
    items_.clear();
    items_.shrink_to_fit();
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  size_t Checked(int index) const {
    if (index < 0 || index >= GetSize())
      throw KInvalidArgException("array index " + std::to_string(index) + " outside 0 to " +
                                 std::to_string(GetSize() - 1));
    return static_cast<size_t>(index);
  }

  void Reserve(int size) {
    if (static_cast<size_t>(size) <= items_.capacity()) return;
    const int step = growBy_ > 0 ? growBy_ : std::max(4, GetSize() / 2);
    items_.reserve(static_cast<size_t>(std::max(size, GetSize() + step)));
  }

  void Grow(int size) {
    Reserve(size);
    items_.resize(static_cast<size_t>(size));
  }

  std::vector<T> items_;
  int growBy_ = -1;
};
