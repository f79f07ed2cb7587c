// The test host's expression objects: counted by the host, one implementation per platform (PCRE2 on
// Linux, std::wregex on Windows), chosen by the build.
#pragma once

#include <cstdint>

#include "addin/HostInterfaceBases.h"

namespace testhost {

class TestAddInHost;

class TestRegExp : public KHostRegExpBase {
 public:
  explicit TestRegExp(TestAddInHost& host);
  TestRegExp(const TestRegExp&) = delete;
  TestRegExp& operator=(const TestRegExp&) = delete;

  int32_t ZAKCALL GetMatch(int32_t* start, int32_t* length) override;
  int32_t ZAKCALL Destroy() override;

  // The platform's object for pattern, or null when the pattern does not compile in its dialect.
  static TestRegExp* Compile(TestAddInHost& host, const char16_t* pattern, bool caseless);

 protected:
  virtual ~TestRegExp() = default;
  void SetMatch(int32_t start, int32_t length) {
    start_ = start;
    length_ = length;
  }

 private:
  TestAddInHost& host_;
  int32_t start_ = 0;
  int32_t length_ = 0;
};

}  // namespace testhost
