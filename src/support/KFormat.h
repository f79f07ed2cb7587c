// The one printf-style formatter of the code base, for UTF-16 text. Arguments are typed (KFormatArg), so a
// conversion that does not fit its argument formats a sensible value instead of reading a wrong type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class KFormatArg {
 public:
  enum class Kind { Signed, Unsigned, Double, Text };

  KFormatArg(int value) : kind_(Kind::Signed), signed_(value) {}
  KFormatArg(long value) : kind_(Kind::Signed), signed_(value) {}
  KFormatArg(long long value) : kind_(Kind::Signed), signed_(value) {}
  KFormatArg(unsigned value) : kind_(Kind::Unsigned), unsigned_(value) {}
  KFormatArg(unsigned long value) : kind_(Kind::Unsigned), unsigned_(value) {}
  KFormatArg(unsigned long long value) : kind_(Kind::Unsigned), unsigned_(value) {}
  KFormatArg(short value) : kind_(Kind::Signed), signed_(value) {}
  KFormatArg(unsigned short value) : kind_(Kind::Unsigned), unsigned_(value) {}
  KFormatArg(char16_t value) : kind_(Kind::Unsigned), unsigned_(value) {}
  KFormatArg(double value) : kind_(Kind::Double), double_(value) {}
  KFormatArg(const char16_t* text) : kind_(Kind::Text), text_(text ? text : u"") {}
  KFormatArg(std::u16string_view text) : kind_(Kind::Text), text_(text) {}
  KFormatArg(const std::u16string& text) : kind_(Kind::Text), text_(text) {}

  Kind GetKind() const { return kind_; }
  int64_t AsSigned() const;
  uint64_t AsUnsigned() const;
  double AsDouble() const;
  std::u16string_view AsText() const { return kind_ == Kind::Text ? text_ : std::u16string_view(); }

 private:
  Kind kind_;
  union {
    int64_t signed_;
    uint64_t unsigned_;
    double double_;
  };
  std::u16string_view text_;
};

using KFormatArgs = std::span<const KFormatArg>;

// Conversions: %d %i %u %x %X %o %c %s %% %e %E %f %F %g %G (and %lf), flags - + blank # 0, width and
// precision (also *), length modifiers hh h l ll L I64 I32 I j z t, which narrow an integer as printf does
// (%hd of 70000 gives 4464; l is the platform's long). The argument kind never decides how memory is read:
// a number for %s is written as its own text (%lld, %llu or %g), a text for a number conversion counts as
// 0, a text for %c gives its first unit, a double for an integer conversion is truncated (saturating), and
// a missing argument is the empty text (0 for numbers). An unknown conversion is copied as it stands.
// Writes at most capacity - 1 characters and a terminator (nothing when capacity is 0); returns the length
// of the whole result, as snprintf does.
int KFormatTo(char16_t* buffer, size_t capacity, std::u16string_view format, KFormatArgs args);

// Appends the whole result to out.
void KFormatAppend(std::u16string& out, std::u16string_view format, KFormatArgs args);

template <class... A>
std::u16string KFormat(std::u16string_view format, const A&... args) {
  const KFormatArg list[] = {KFormatArg(args)..., KFormatArg(0)};
  std::u16string out;
  KFormatAppend(out, format, KFormatArgs(list, sizeof...(A)));
  return out;
}
