// Fuzzes the language server's message reader with what a client may send: every input ends in messages,
// framing errors and the end, never a crash or a hang; no message is over the limit, and every message is
// classified.
#include <sstream>
#include <string>

#include "FuzzFile.h"
#include "HJsonRpc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kLimit = 4096;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  HJsonRpc::Reader reader(in, kLimit);
  // Each result takes at least one byte of the input, so there are never more results than bytes.
  for (size_t results = 0;; ++results) {
    fuzz::Require(results <= size);
    const HJsonRpc::Reader::Result result = reader.Next();
    if (result.kind == HJsonRpc::Reader::Kind::End) break;
    if (result.kind != HJsonRpc::Reader::Kind::Message) continue;
    fuzz::Require(result.body.size() <= kLimit);
    const HJsonRpc::Message message = HJsonRpc::Message::Parse(result.body);
    fuzz::Require((message.kind == HJsonRpc::Message::Kind::Invalid) == (message.error != 0));
  }
  return 0;
}
