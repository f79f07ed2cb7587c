// KFormat: the printf-style formatter for UTF-16 text. Numbers are written with std::to_chars, so the
// output equals C printf's in the "C" locale whatever locale the host process has set.
#include "support/KFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "support/StringHelpers.h"

namespace {

// How a length modifier narrows or widens an integer argument, as printf reads it.
enum class Length { Char, Short, Int, Long, LongLong, Size };

struct Conversion {
  bool minus = false;
  bool plus = false;
  bool blank = false;
  bool hash = false;
  bool zero = false;
  int width = 0;
  int precision = -1;  // -1: none given
  Length length = Length::Int;
  char16_t conversion = 0;
};

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

char ToUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::u16string Widen(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

int64_t NarrowSigned(Length length, int64_t value) {
  switch (length) {
    case Length::Char:
      return static_cast<signed char>(value);
    case Length::Short:
      return static_cast<int16_t>(value);
    case Length::Int:
      return static_cast<int32_t>(value);
    case Length::Long:
      return static_cast<long>(value);
    case Length::LongLong:
      return value;
    case Length::Size:
      return static_cast<std::ptrdiff_t>(value);
  }
  return value;
}

uint64_t NarrowUnsigned(Length length, uint64_t value) {
  switch (length) {
    case Length::Char:
      return static_cast<unsigned char>(value);
    case Length::Short:
      return static_cast<uint16_t>(value);
    case Length::Int:
      return static_cast<uint32_t>(value);
    case Length::Long:
      return static_cast<unsigned long>(value);
    case Length::LongLong:
      return value;
    case Length::Size:
      return static_cast<size_t>(value);
  }
  return value;
}

std::string ToChars(uint64_t value, int base) {
  char digits[72];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
  return std::string(digits, end);
}

std::string ToChars(double value, std::chars_format format, int precision) {
  // Fixed notation of 1e308 has 309 integer digits; the precision adds its own.
  std::string text(static_cast<size_t>(precision) + 330, '\0');
  const auto end = std::to_chars(text.data(), text.data() + text.size(), value, format, precision).ptr;
  text.resize(static_cast<size_t>(end - text.data()));
  return text;
}

// The decimal exponent of a scientific text such as "1.5e+07".
int ExponentOf(const std::string& scientific) {
  const size_t e = scientific.find('e');
  int exponent = 0;
  const char* first = scientific.data() + e + 1;
  if (*first == '+') ++first;
  std::from_chars(first, scientific.data() + scientific.size(), exponent);
  return exponent;
}

// %g drops trailing zeros of the fraction, and the point when nothing follows it.
void StripTrailingZeros(std::string& text) {
  const size_t point = text.find('.');
  if (point == std::string::npos) return;
  const size_t exponent = std::min(text.find('e'), text.size());
  size_t last = exponent;
  while (last > point + 1 && text[last - 1] == '0') --last;
  if (last == point + 1) last = point;
  text.erase(last, exponent - last);
}

// '#' keeps the point even when no digit follows it.
void ForcePoint(std::string& text) {
  if (text.find('.') != std::string::npos) return;
  text.insert(std::min(text.find('e'), text.size()), 1, '.');
}

// The digits of a finite, non-negative value for %e, %f or %g.
std::string FloatDigits(double value, char conversion, int precision, bool hash) {
  const int p = precision < 0 ? 6 : precision;
  std::string text;
  if (conversion == 'f') {
    text = ToChars(value, std::chars_format::fixed, p);
  } else if (conversion == 'e') {
    text = ToChars(value, std::chars_format::scientific, p);
  } else {
    const int significant = p == 0 ? 1 : p;
    text = ToChars(value, std::chars_format::scientific, significant - 1);
    const int exponent = ExponentOf(text);
    if (exponent >= -4 && exponent < significant)
      text = ToChars(value, std::chars_format::fixed, significant - 1 - exponent);
    if (!hash) StripTrailingZeros(text);
  }
  if (hash) ForcePoint(text);
  return text;
}

class Formatter {
 public:
  Formatter(std::u16string& out, KFormatArgs args) : out_(out), args_(args) {}

  void Run(std::u16string_view format) {
    size_t pos = 0;
    while (pos < format.size()) {
      const size_t percent = format.find(u'%', pos);
      out_.append(format.substr(pos, percent - pos));
      if (percent == std::u16string_view::npos) return;
      pos = Convert(format, percent);
    }
  }

 private:
  const KFormatArg& NextArg() {
    // A missing argument reads as the empty text: 0 for numbers, nothing for %s.
    static const KFormatArg missing{std::u16string_view()};
    return next_ < args_.size() ? args_[next_++] : missing;
  }

  int StarValue() {
    return static_cast<int>(std::clamp<int64_t>(NextArg().AsSigned(), -INT32_MAX, INT32_MAX));
  }

  static int ParseNumber(std::u16string_view format, size_t& pos) {
    int64_t value = 0;
    for (; pos < format.size() && IsDigit(format[pos]); ++pos)
      value = std::min<int64_t>(value * 10 + (format[pos] - u'0'), INT32_MAX);
    return static_cast<int>(value);
  }

  static void ParseFlags(std::u16string_view format, size_t& pos, Conversion& conv) {
    for (; pos < format.size(); ++pos) {
      switch (format[pos]) {
        case u'-':
          conv.minus = true;
          break;
        case u'+':
          conv.plus = true;
          break;
        case u' ':
          conv.blank = true;
          break;
        case u'#':
          conv.hash = true;
          break;
        case u'0':
          conv.zero = true;
          break;
        default:
          return;
      }
    }
  }

  void ParseWidthAndPrecision(std::u16string_view format, size_t& pos, Conversion& conv) {
    if (pos < format.size() && format[pos] == u'*') {
      ++pos;
      conv.width = StarValue();
      if (conv.width < 0) {
        conv.minus = true;
        conv.width = -conv.width;
      }
    } else {
      conv.width = ParseNumber(format, pos);
    }
    if (pos >= format.size() || format[pos] != u'.') return;
    ++pos;
    if (pos < format.size() && format[pos] == u'*') {
      ++pos;
      conv.precision = std::max(StarValue(), -1);
    } else {
      conv.precision = ParseNumber(format, pos);
    }
  }

  static void ParseLength(std::u16string_view format, size_t& pos, Conversion& conv) {
    const std::u16string_view rest = format.substr(pos);
    struct Modifier {
      std::u16string_view text;
      Length length;
    };
    // Longer spellings first, so "hh" is not read as "h".
    static constexpr Modifier modifiers[] = {
        {u"hh", Length::Char},    {u"h", Length::Short},      {u"ll", Length::LongLong}, {u"l", Length::Long},
        {u"L", Length::LongLong}, {u"I64", Length::LongLong}, {u"I32", Length::Int},     {u"I", Length::Size},
        {u"j", Length::LongLong}, {u"z", Length::Size},       {u"t", Length::Size}};
    for (const Modifier& modifier : modifiers) {
      if (rest.starts_with(modifier.text)) {
        conv.length = modifier.length;
        pos += modifier.text.size();
        return;
      }
    }
  }

  // Formats the conversion that starts at format[percent]; returns the position behind it.
  size_t Convert(std::u16string_view format, size_t percent) {
    Conversion conv;
    size_t pos = percent + 1;
    ParseFlags(format, pos, conv);
    ParseWidthAndPrecision(format, pos, conv);
    ParseLength(format, pos, conv);
    if (pos >= format.size()) {
      out_.append(format.substr(percent));
      return pos;
    }
    conv.conversion = format[pos++];
    if (!Dispatch(conv)) out_.append(format.substr(percent, pos - percent));
    return pos;
  }

  bool Dispatch(const Conversion& conv) {
    switch (conv.conversion) {
      case u'%':
        out_.push_back(u'%');
        return true;
      case u'd':
      case u'i':
        WriteSigned(conv, NextArg());
        return true;
      case u'u':
      case u'x':
      case u'X':
      case u'o':
        WriteUnsigned(conv, NextArg());
        return true;
      case u'e':
      case u'E':
      case u'f':
      case u'F':
      case u'g':
      case u'G':
        WriteDouble(conv, NextArg().AsDouble());
        return true;
      case u's':
        WriteText(conv, NextArg());
        return true;
      case u'c':
        WriteChar(conv, NextArg());
        return true;
      default:
        return false;
    }
  }

  // Writes sign, prefix and body padded to the width: blanks in front, blanks behind with '-', or zeros
  // between prefix and body with '0' where the conversion allows it.
  void Emit(const Conversion& conv, std::string_view sign, std::u16string_view body, bool zeroAllowed) {
    const size_t length = sign.size() + body.size();
    const size_t fill = conv.width > 0 && static_cast<size_t>(conv.width) > length ? conv.width - length : 0;
    if (conv.minus) {
      out_.append(Widen(sign)).append(body).append(fill, u' ');
    } else if (conv.zero && zeroAllowed) {
      out_.append(Widen(sign)).append(fill, u'0').append(body);
    } else {
      out_.append(fill, u' ').append(Widen(sign)).append(body);
    }
  }

  void WriteSigned(const Conversion& conv, const KFormatArg& arg) {
    const int64_t value = NarrowSigned(conv.length, arg.AsSigned());
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const char* sign = value < 0 ? "-" : conv.plus ? "+" : conv.blank ? " " : "";
    WriteInteger(conv, sign, magnitude);
  }

  void WriteUnsigned(const Conversion& conv, const KFormatArg& arg) {
    const uint64_t value = NarrowUnsigned(conv.length, arg.AsUnsigned());
    const bool hex = conv.conversion == u'x' || conv.conversion == u'X';
    const char* prefix = hex && conv.hash && value != 0 ? (conv.conversion == u'x' ? "0x" : "0X") : "";
    WriteInteger(conv, prefix, value);
  }

  void WriteInteger(const Conversion& conv, std::string_view prefix, uint64_t magnitude) {
    const int base = conv.conversion == u'o'                                ? 8
                     : (conv.conversion == u'x' || conv.conversion == u'X') ? 16
                                                                            : 10;
    std::string digits = conv.precision == 0 && magnitude == 0 ? std::string() : ToChars(magnitude, base);
    if (conv.precision > 0 && digits.size() < static_cast<size_t>(conv.precision))
      digits.insert(0, conv.precision - digits.size(), '0');
    if (conv.conversion == u'o' && conv.hash && (digits.empty() || digits[0] != '0'))
      digits.insert(0, 1, '0');
    if (conv.conversion == u'X') std::transform(digits.begin(), digits.end(), digits.begin(), ToUpper);
    Emit(conv, prefix, Widen(digits), conv.precision < 0);
  }

  void WriteDouble(const Conversion& conv, double value) {
    const char* sign = std::signbit(value) ? "-" : conv.plus ? "+" : conv.blank ? " " : "";
    const char lower = static_cast<char>(conv.conversion | 0x20);
    const bool finite = std::isfinite(value);
    std::string body = !finite ? (std::isnan(value) ? "nan" : "inf")
                               : FloatDigits(std::fabs(value), lower, conv.precision, conv.hash);
    if (conv.conversion != lower) std::transform(body.begin(), body.end(), body.begin(), ToUpper);
    Emit(conv, sign, Widen(body), finite);
  }

  // %s of a number writes the number as %d, %u or %g would: a mismatched argument is never lost.
  void WriteText(const Conversion& conv, const KFormatArg& arg) {
    std::u16string number;
    std::u16string_view text = arg.AsText();
    if (arg.GetKind() != KFormatArg::Kind::Text) {
      const KFormatArg::Kind kind = arg.GetKind();
      const KFormatArg list[] = {arg};
      KFormatAppend(number,
                    kind == KFormatArg::Kind::Signed     ? u"%lld"
                    : kind == KFormatArg::Kind::Unsigned ? u"%llu"
                                                         : u"%g",
                    list);
      text = number;
    }
    if (conv.precision >= 0) text = text.substr(0, static_cast<size_t>(conv.precision));
    Emit(conv, "", text, false);
  }

  // %c of a text writes its first unit (nothing for the empty text); of a number, that UTF-16 unit.
  void WriteChar(const Conversion& conv, const KFormatArg& arg) {
    if (arg.GetKind() == KFormatArg::Kind::Text) {
      Emit(conv, "", arg.AsText().substr(0, 1), false);
      return;
    }
    const char16_t unit = static_cast<char16_t>(arg.AsUnsigned());
    Emit(conv, "", std::u16string_view(&unit, 1), false);
  }

  std::u16string& out_;
  KFormatArgs args_;
  size_t next_ = 0;
};

}  // namespace

int64_t KFormatArg::AsSigned() const {
  switch (kind_) {
    case Kind::Signed:
      return signed_;
    case Kind::Unsigned:
      return static_cast<int64_t>(unsigned_);
    case Kind::Double:
      // Out-of-range values saturate (2^63 - 1024 is the largest double below 2^63); NaN reads as 0.
      if (std::isnan(double_)) return 0;
      return static_cast<int64_t>(std::clamp(double_, -9223372036854775808.0, 9223372036854774784.0));
    case Kind::Text:
      return 0;
  }
  return 0;
}

uint64_t KFormatArg::AsUnsigned() const {
  // A negative double wraps like a negative integer does.
  return kind_ == Kind::Unsigned ? unsigned_ : static_cast<uint64_t>(AsSigned());
}

double KFormatArg::AsDouble() const {
  switch (kind_) {
    case Kind::Signed:
      return static_cast<double>(signed_);
    case Kind::Unsigned:
      return static_cast<double>(unsigned_);
    case Kind::Double:
      return double_;
    case Kind::Text:
      return 0.0;
  }
  return 0.0;
}

void KFormatAppend(std::u16string& out, std::u16string_view format, KFormatArgs args) {
  Formatter(out, args).Run(format);
}

int KFormatTo(char16_t* buffer, size_t capacity, std::u16string_view format, KFormatArgs args) {
  std::u16string text;
  KFormatAppend(text, format, args);
  if (capacity > 0) {
    buffer[0] = 0;
    AppendBounded(buffer, text, capacity);
  }
  return static_cast<int>(text.size());
}
