// The message reader at its limits and with what broken clients send; what a message is.
#include "HJsonRpc.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Kind = HJsonRpc::Reader::Kind;
constexpr size_t kLimit = 8;

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// Every result up to the end, a message as its body, an error as "!".
std::vector<std::string> ReadAll(const std::string& input) {
  std::istringstream in(input);
  HJsonRpc::Reader reader(in, kLimit);
  std::vector<std::string> read;
  for (HJsonRpc::Reader::Result result = reader.Next(); result.kind != Kind::End; result = reader.Next())
    read.push_back(result.kind == Kind::Message ? result.body : "!");
  return read;
}

TEST(HJsonRpc, FramesAreReadAtTheLimitsPastBrokenOnesAndWrittenWithTheLengthInBytes) {
  const std::string line = "Content-Length: 2";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {Framed("12345678") + Framed("{}"), {"12345678", "{}"}},  // the largest message
      {Framed("123456789") + Framed("{}"), {"!", "{}"}},        // one byte over: skipped
      {Framed(""), {""}},
      {"\r\n\n" + Framed("{}"), {"{}"}},                    // blank lines between messages
      {"content-LENGTH:2\nContent-Type: x\n\n{}", {"{}"}},  // any case, bare line feeds, other headers
      {line + std::string(HJsonRpc::Reader::kMaxHeaderLine - line.size(), ' ') + "\r\n\r\n{}", {"{}"}},
      {line + std::string(HJsonRpc::Reader::kMaxHeaderLine - line.size() + 1, ' ') + "\r\n\r\n" +
           Framed("{}"),
       {"!", "{}"}},  // an overlong line is no header
      {"Content-Length: 2x\r\n\r\n" + Framed("{}"), {"!", "{}"}},
      {"Content-Length:\r\n\r\n" + Framed("{}"), {"!", "{}"}},
      {"garbage\r\n\r\n" + Framed("{}"), {"!", "{}"}},
      {"Content-Length: 99999999999999999999999\r\n\r\n{}", {}},  // skipped to the end
      {Framed("{}") + "Content-Length: 3\r\n\r\n{}", {"{}"}},     // the pipe closed mid-message
      {Framed("{}") + "Content-Length: 3\r\n", {"{}"}},           // and mid-header
  };
  for (const auto& [input, read] : cases) EXPECT_EQ(ReadAll(input), read) << input.substr(0, 40);
  // The writer frames with the length in bytes.
  std::ostringstream out;
  HJsonRpc::Writer(out).Notify("m", {{"text", "\xC3\xA9"}});
  EXPECT_EQ(out.str(), Framed(R"({"jsonrpc":"2.0","method":"m","params":{"text":"é"}})"));
}

TEST(HJsonRpcMessage, TellsRequestsNotificationsResponsesAndInvalidOnesApart) {
  using K = HJsonRpc::Message::Kind;
  constexpr int kInvalid = HJsonRpc::kInvalidRequest;
  // The body and what it is: its kind, the error and the id as JSON.
  const std::pair<const char*, std::tuple<K, int, std::string>> cases[] = {
      {R"({"jsonrpc":"2.0","id":"a","method":"m","params":null})", {K::Request, 0, "\"a\""}},
      {R"({"jsonrpc":"2.0","method":"m","params":[]})", {K::Notification, 0, "null"}},
      {R"({"jsonrpc":"2.0","id":7,"result":null})", {K::Response, 0, "7"}},
      {R"({"jsonrpc":"2.0","id":1,"method":"m","params":"x"})", {K::Invalid, kInvalid, "1"}},
      {R"({"jsonrpc":"1.0","id":2,"method":"m"})", {K::Invalid, kInvalid, "2"}},
      {R"({"jsonrpc":"2.0","id":1.5,"method":"m"})", {K::Invalid, kInvalid, "null"}},
      {R"({"jsonrpc":"2.0","id":3,"method":4})", {K::Invalid, kInvalid, "3"}},
  };
  for (const auto& [body, expected] : cases) {
    const HJsonRpc::Message m = HJsonRpc::Message::Parse(body);
    EXPECT_EQ(std::tuple(m.kind, m.error, m.id.dump()), expected) << body;
  }
}

}  // namespace
