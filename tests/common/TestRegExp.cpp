// What every platform's expression object shares: the host's count of objects and the last match.
#include "common/TestRegExp.h"

#include "common/TestHost.h"

namespace testhost {

TestRegExp::TestRegExp(TestAddInHost& host) : host_(host) {
  ++host_.created;
}

int32_t TestRegExp::GetMatch(int32_t* start, int32_t* length) {
  if (start != nullptr) *start = start_;
  if (length != nullptr) *length = length_;
  return 0;
}

int32_t TestRegExp::Destroy() {
  ++host_.destroyed;
  delete this;
  return 0;
}

}  // namespace testhost
