// Result records as bytes: lengths and numbers as 8 native bytes (the parent runs on the same machine),
// strings as their length and bytes, every field in the order that Fields() lists it.
#include "HResultCodec.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <type_traits>
#include <vector>

#include "HError.h"

namespace {

template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};
template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsMap : std::false_type {};
template <class K, class V>
struct IsMap<std::map<K, V>> : std::true_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

// A field added to a record changes its size: these stop the build until Fields() below lists it too.
static_assert(sizeof(HViolation) == 6 * sizeof(std::string) + 3 * sizeof(long), "HViolation has a new field");
static_assert(sizeof(HInputError) == 2 * sizeof(std::string) + sizeof(long), "HInputError has a new field");
static_assert(sizeof(HWarning) == 3 * sizeof(std::string) + 2 * sizeof(long), "HWarning has a new field");
static_assert(sizeof(HRuleInfo) == 3 * sizeof(std::string) + 2 * sizeof(long), "HRuleInfo has a new field");
static_assert(sizeof(HFileResult) == sizeof(std::string) + 3 * sizeof(long) +
                                         2 * sizeof(std::vector<HViolation>) +
                                         sizeof(std::optional<HInputError>) + sizeof(std::vector<HWarning>) +
                                         sizeof(std::vector<HRuleInfo>),
              "HFileResult has a new field");

// Every field of the records, one list for both directions: a field added to a record is added here. A
// run's record is what it found outside its files.
template <class Archive, class Record>
void Fields(Archive& archive, Record& record) {
  using T = std::remove_const_t<Record>;
  if constexpr (std::is_same_v<T, HFileResult>) {
    archive(record.path, record.units, record.untranslated, record.notTranslatable, record.violations,
            record.suppressed, record.error, record.warnings, record.rules);
  } else if constexpr (std::is_same_v<T, HViolation>) {
    archive(record.file, record.line, record.column, record.unitId, record.rule, record.message,
            record.source, record.translation, record.withTags);
  } else if constexpr (std::is_same_v<T, HWarning>) {
    archive(record.file, record.line, record.rule, record.message, record.suppression);
  } else if constexpr (std::is_same_v<T, HRuleInfo>) {
    archive(record.name, record.pattern, record.regex, record.caseSensitive, record.method, record.flags,
            record.withTags, record.ruleFile);
  } else if constexpr (std::is_same_v<T, HRunResult>) {
    archive(record.errors, record.warnings, record.rules);
  } else {
    static_assert(std::is_same_v<T, HInputError>, "a record without a field list");
    archive(record.file, record.line, record.message);
  }
}

class KWriter {
 public:
  explicit KWriter(std::string& out) : m_out(out) {}

  template <class... T>
  void operator()(const T&... values) {
    (Value(values), ...);
  }

 private:
  template <class T>
  void Value(const T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
      Number(value.size());
      m_out += value;
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
      Number(static_cast<uint64_t>(value));
    } else if constexpr (IsVector<T>::value) {
      Number(value.size());
      for (const auto& item : value) Value(item);
    } else if constexpr (IsOptional<T>::value) {
      Number(value.has_value() ? 1 : 0);
      if (value) Value(*value);
    } else if constexpr (IsMap<T>::value) {
      Number(value.size());
      for (const auto& [key, item] : value) {
        Value(key);
        Value(item);
      }
    } else {
      Fields(*this, value);
    }
  }

  void Number(uint64_t number) { m_out.append(reinterpret_cast<const char*>(&number), sizeof number); }

  std::string& m_out;
};

class KReader {
 public:
  explicit KReader(std::string_view bytes) : m_bytes(bytes) {}

  template <class... T>
  void operator()(T&... values) {
    (Value(values), ...);
  }

  void ExpectEnd() const {
    if (!m_bytes.empty()) throw HError("a worker's result has bytes to spare");
  }

 private:
  template <class T>
  void Value(T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
      value = Take(Number());
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
      value = static_cast<T>(Number());
    } else if constexpr (IsVector<T>::value) {
      // Each item takes a byte at least: a count beyond the bytes left is damage, not a huge vector.
      const uint64_t count = Number();
      if (count > m_bytes.size()) throw HError("a worker's result is cut short");
      value.resize(count);
      for (auto& item : value) Value(item);
    } else if constexpr (IsOptional<T>::value) {
      value.reset();
      if (Number() != 0) Value(value.emplace());
    } else if constexpr (IsMap<T>::value) {
      const uint64_t count = Number();
      if (count > m_bytes.size()) throw HError("a worker's result is cut short");
      value.clear();
      for (uint64_t i = 0; i < count; ++i) {
        typename T::key_type key;
        Value(key);
        Value(value[key]);
      }
    } else {
      Fields(*this, value);
    }
  }

  uint64_t Number() {
    uint64_t number = 0;
    std::memcpy(&number, Take(sizeof number).data(), sizeof number);
    return number;
  }

  std::string_view Take(uint64_t length) {
    if (length > m_bytes.size()) throw HError("a worker's result is cut short");
    const std::string_view taken = m_bytes.substr(0, length);
    m_bytes.remove_prefix(length);
    return taken;
  }

  std::string_view m_bytes;
};

template <class T>
T Decode(std::string_view bytes) {
  T value;
  KReader reader(bytes);
  reader(value);
  reader.ExpectEnd();
  return value;
}

}  // namespace

void HResultCodec::Encode(const HFileResult& file, std::string& out) {
  KWriter writer(out);
  writer(file);
}

void HResultCodec::EncodeRun(const HRunResult& run, std::string& out) {
  KWriter writer(out);
  Fields(writer, run);
}

HFileResult HResultCodec::DecodeFile(std::string_view bytes) {
  return Decode<HFileResult>(bytes);
}

HRunResult HResultCodec::DecodeRun(std::string_view bytes) {
  HRunResult run;
  KReader reader(bytes);
  Fields(reader, run);
  reader.ExpectEnd();
  return run;
}
