// The client's messages, read on a thread of their own while the server checks: the server takes them in
// order and may ask at any time, between two units of a check, whether a document has changes waiting.
// The reading thread never calls the module.
#pragma once

#include <istream>
#include <memory>
#include <string>
#include <thread>

#include "HJsonRpc.h"

class HLspInbox {
 public:
  struct Item {
    enum class Kind { Message, FramingError, End };
    Kind kind = Kind::End;
    HJsonRpc::Message message;
    std::string error;  // what was wrong with the framing
  };

  // Starts reading; reading stops after the exit notification or at the input's end.
  explicit HLspInbox(std::istream& in);
  ~HLspInbox();
  HLspInbox(const HLspInbox&) = delete;
  HLspInbox& operator=(const HLspInbox&) = delete;

  // The next item, waiting for one.
  Item Take();
  bool Empty() const;
  // How many didOpen, didChange and didClose notifications of the document have been read so far.
  long Changes(const std::string& uri) const;
  // The document that a notification's params name (textDocument.uri); empty when they name none.
  static std::string DocumentOf(const nlohmann::json& params);
  // Whether $/cancelRequest named the request (its id); the answer is given once.
  bool Cancelled(const nlohmann::json& id);

 private:
  struct Shared;
  static void Read(std::istream& in, const std::shared_ptr<Shared>& shared);

  std::shared_ptr<Shared> m_shared;
  std::thread m_reader;
};
