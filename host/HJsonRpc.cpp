// Framing and classifying JSON-RPC messages: the reader takes whatever a client (or a broken pipe) sends and
// never reads more than the limit into memory.
#include "HJsonRpc.h"

#include <algorithm>
#include <cctype>

namespace HJsonRpc {

namespace {

constexpr std::string_view kLengthHeader = "content-length:";

// Lengths beyond any stream: the bytes of such a message are skipped to the stream's end.
constexpr long long kEndless = 1'000'000'000'000'000'000;

// The length of a Content-Length line; -1 for another header, -2 for a length that is not a decimal number.
long long LengthOf(std::string_view line) {
  if (line.size() < kLengthHeader.size()) return -1;
  for (size_t i = 0; i < kLengthHeader.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(line[i])) != kLengthHeader[i]) return -1;
  }
  std::string_view value = line.substr(kLengthHeader.size());
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (value.empty()) return -2;
  long long length = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') return -2;
    length = length >= kEndless / 10 ? kEndless : length * 10 + (c - '0');
  }
  return length;
}

}  // namespace

bool Reader::ReadLine(std::string& line) {
  line.clear();
  for (int c = m_in.sbumpc(); c != std::char_traits<char>::eof(); c = m_in.sbumpc()) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    // An overlong line keeps one byte too many, so that it matches no header.
    if (line.size() <= kMaxHeaderLine) line.push_back(static_cast<char>(c));
  }
  return false;  // a line cut by the stream's end ends the reading too
}

bool Reader::Skip(size_t length) {
  char buffer[4096];
  while (length > 0) {
    const std::streamsize got =
        m_in.sgetn(buffer, static_cast<std::streamsize>(std::min(length, sizeof buffer)));
    if (got <= 0) return false;
    length -= static_cast<size_t>(got);
  }
  return true;
}

Reader::Result Reader::Next() {
  std::string line;
  long long length = -1;
  bool invalid = false;
  bool headers = false;
  while (ReadLine(line)) {
    if (line.empty()) {
      if (!headers) continue;  // blank lines between messages
      if (length < 0 || invalid) return {Kind::Error, "a message without a valid Content-Length header"};
      if (length > static_cast<long long>(m_maxContent)) {
        if (!Skip(static_cast<size_t>(length))) break;
        return {Kind::Error, "a message over the limit of " + std::to_string(m_maxContent) + " bytes"};
      }
      std::string body(static_cast<size_t>(length), '\0');
      if (m_in.sgetn(body.data(), length) != length) break;  // the pipe closed mid-message
      return {Kind::Message, std::move(body)};
    }
    headers = true;
    if (line.size() > kMaxHeaderLine) continue;
    const long long found = LengthOf(line);
    if (found == -2) invalid = true;
    if (found >= 0) length = found;
  }
  return {Kind::End, ""};
}

Message Message::Parse(std::string_view body) {
  Message message;
  nlohmann::json json = nlohmann::json::parse(body, nullptr, false);
  if (json.is_discarded()) {
    message.error = kParseError;
    message.errorMessage = "the message is not JSON";
    return message;
  }
  message.error = kInvalidRequest;
  message.errorMessage = "not a JSON-RPC 2.0 message";
  if (!json.is_object()) return message;
  const auto id = json.find("id");
  const bool hasId = id != json.end();
  if (hasId && (id->is_string() || id->is_number_integer())) message.id = *id;
  if (json.value("jsonrpc", nlohmann::json()) != "2.0") return message;
  if (hasId && !message.id.is_null() && !json.contains("method") &&
      (json.contains("result") || json.contains("error"))) {
    message.kind = Kind::Response;
    message.error = 0;
    message.errorMessage.clear();
    return message;
  }
  const auto method = json.find("method");
  if (method == json.end() || !method->is_string() || (hasId && message.id.is_null())) return message;
  // Clients write absent params as null too.
  const auto params = json.find("params");
  const bool none = params == json.end() || params->is_null();
  if (!none && !params->is_object() && !params->is_array()) return message;
  message.method = method->get<std::string>();
  message.params = none ? nlohmann::json::object() : std::move(*params);
  message.kind = hasId ? Kind::Request : Kind::Notification;
  message.error = 0;
  message.errorMessage.clear();
  return message;
}

void Writer::Write(const nlohmann::json& message) {
  // Invalid UTF-8 from a document is replaced, never a reason to drop the answer.
  const std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  m_out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  m_out.flush();
}

void Writer::Result(const nlohmann::json& id, nlohmann::json result) {
  nlohmann::json message = {{"jsonrpc", "2.0"}, {"id", id}};
  message["result"] = std::move(result);
  Write(message);
}

void Writer::Error(const nlohmann::json& id, int code, const std::string& message) {
  Write({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void Writer::Notify(const std::string& method, nlohmann::json params) {
  nlohmann::json message = {{"jsonrpc", "2.0"}, {"method", method}};
  message["params"] = std::move(params);
  Write(message);
}

void Writer::Request(const nlohmann::json& id, const std::string& method, nlohmann::json params) {
  nlohmann::json message = {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}};
  message["params"] = std::move(params);
  Write(message);
}

}  // namespace HJsonRpc
