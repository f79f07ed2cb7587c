// JSON-RPC 2.0 as the Language Server Protocol frames it: messages behind Content-Length headers on a byte
// stream, what a message is (request, notification, response) and the protocol's error answers.
#pragma once

#include <cstddef>
#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

namespace HJsonRpc {

// The protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestCancelled = -32800;

// Reads one framed message after the other. A stream that ends (or closes mid-message) is the end; a header
// block without a usable length, or a message over the limit (its bytes are skipped), is an error that the
// caller answers, and reading goes on with the next header block.
class Reader {
 public:
  static constexpr size_t kMaxHeaderLine = 1024;    // longer lines are read to their end and ignored
  static constexpr size_t kMaxContent = 64u << 20;  // bytes of one message
  enum class Kind { Message, End, Error };
  struct Result {
    Kind kind;
    std::string body;  // the message's bytes, or what was wrong with the framing
  };

  explicit Reader(std::istream& in, size_t maxContent = kMaxContent)
      : m_in(*in.rdbuf()), m_maxContent(maxContent) {}
  Result Next();

 private:
  // The next header line without its line end; false at the stream's end.
  bool ReadLine(std::string& line);
  // Skips the bytes of a message over the limit; false when the stream ends first.
  bool Skip(size_t length);

  std::streambuf& m_in;
  size_t m_maxContent;
};

// One message as the server sees it. Invalid: `error` holds the code to answer with, `id` the id when one
// could be read (null otherwise).
struct Message {
  enum class Kind { Request, Notification, Response, Invalid };
  Kind kind = Kind::Invalid;
  nlohmann::json id;
  std::string method;
  nlohmann::json params;
  int error = 0;
  std::string errorMessage;

  static Message Parse(std::string_view body);
};

// Writes each message with its Content-Length header and flushes it: the client waits for it.
class Writer {
 public:
  explicit Writer(std::ostream& out) : m_out(out) {}
  void Write(const nlohmann::json& message);
  // The result and the params are taken, not copied: a document's diagnostics can be thousands.
  void Result(const nlohmann::json& id, nlohmann::json result);
  void Error(const nlohmann::json& id, int code, const std::string& message);
  void Notify(const std::string& method, nlohmann::json params);
  void Request(const nlohmann::json& id, const std::string& method, nlohmann::json params);

 private:
  std::ostream& m_out;
};

}  // namespace HJsonRpc
