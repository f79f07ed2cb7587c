// CStringGetter: the texts of one source and translation pair, each fetched at most once however many rules
// ask for it.
#pragma once

#include <cstdint>
#include <string>

// Text kinds: the texts with their inline tags skipped, then the same texts with their tags.
enum : int32_t {
  TEXTKIND_SOURCE = 0,
  TEXTKIND_TRANSLATION = 1,
  TEXTKIND_SOURCE_NATIVE = 2,
  TEXTKIND_TRANSLATION_NATIVE = 3,
  TEXTKIND_COUNT = 4,
};

class CStringGetter {
 public:
  CStringGetter() = default;
  CStringGetter(const CStringGetter&) = delete;
  CStringGetter& operator=(const CStringGetter&) = delete;
  virtual ~CStringGetter() = default;

  const std::u16string& GetSource(bool withTags) {
    return Get(withTags ? TEXTKIND_SOURCE_NATIVE : TEXTKIND_SOURCE);
  }
  const std::u16string& GetTranslation(bool withTags) {
    return Get(withTags ? TEXTKIND_TRANSLATION_NATIVE : TEXTKIND_TRANSLATION);
  }

 protected:
  // The text of one kind from wherever the variant takes it; called at most once per kind.
  virtual std::u16string GetText(int32_t kind) = 0;
  // The same into the cached string, replacing what it held: a provider that serves token after token
  // writes into the string's own buffer, so that a token costs no allocation for its texts.
  virtual void ReadText(int32_t kind, std::u16string& text) { text = GetText(kind); }
  // The next token's texts are fetched anew; the cache keeps its buffers.
  void Forget() { cachedKinds_ = 0; }

 private:
  const std::u16string& Get(int32_t kind);

  std::u16string cache_[TEXTKIND_COUNT];
  uint32_t cachedKinds_ = 0;  // bit (1 << kind) set once that kind is in the cache
};
