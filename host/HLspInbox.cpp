// The reading thread and what it shares with the server, under one mutex.
#include "HLspInbox.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>

struct HLspInbox::Shared {
  mutable std::mutex mutex;
  std::condition_variable arrived;
  std::deque<Item> items;
  std::map<std::string, long> changes;
  std::set<std::string> cancelled;  // ids as JSON text
  bool finished = false;
};

std::string HLspInbox::DocumentOf(const nlohmann::json& params) {
  if (!params.is_object()) return "";
  const auto document = params.find("textDocument");
  if (document == params.end() || !document->is_object()) return "";
  const auto uri = document->find("uri");
  return uri != document->end() && uri->is_string() ? uri->get<std::string>() : "";
}

HLspInbox::HLspInbox(std::istream& in) : m_shared(std::make_shared<Shared>()) {
  m_reader = std::thread(&HLspInbox::Read, std::ref(in), m_shared);
}

HLspInbox::~HLspInbox() {
  bool finished;
  {
    const std::lock_guard lock(m_shared->mutex);
    finished = m_shared->finished;
  }
  // A server that ends before the input does leaves the thread blocked in a read that the process's end
  // ends: it holds only what it shares.
  if (finished)
    m_reader.join();
  else
    m_reader.detach();
}

void HLspInbox::Read(std::istream& in, const std::shared_ptr<Shared>& shared) {
  HJsonRpc::Reader reader(in);
  for (bool more = true; more;) {
    const HJsonRpc::Reader::Result read = reader.Next();
    Item item;
    if (read.kind == HJsonRpc::Reader::Kind::Error) {
      item.kind = Item::Kind::FramingError;
      item.error = read.body;
    } else if (read.kind == HJsonRpc::Reader::Kind::Message) {
      item.kind = Item::Kind::Message;
      item.message = HJsonRpc::Message::Parse(read.body);
    }
    const HJsonRpc::Message& message = item.message;
    const bool notification = message.kind == HJsonRpc::Message::Kind::Notification;
    more = item.kind != Item::Kind::End && !(notification && message.method == "exit");
    const std::lock_guard lock(shared->mutex);
    if (notification && message.method == "$/cancelRequest") {
      if (message.params.is_object() && message.params.contains("id"))
        shared->cancelled.insert(message.params["id"].dump());
      continue;
    }
    if (notification &&
        (message.method == "textDocument/didOpen" || message.method == "textDocument/didChange" ||
         message.method == "textDocument/didClose"))
      ++shared->changes[DocumentOf(message.params)];
    shared->items.push_back(std::move(item));
    shared->finished = !more;
    shared->arrived.notify_one();
  }
}

HLspInbox::Item HLspInbox::Take() {
  std::unique_lock lock(m_shared->mutex);
  m_shared->arrived.wait(lock, [&] { return !m_shared->items.empty(); });
  Item item = std::move(m_shared->items.front());
  m_shared->items.pop_front();
  return item;
}

bool HLspInbox::Empty() const {
  const std::lock_guard lock(m_shared->mutex);
  return m_shared->items.empty();
}

long HLspInbox::Changes(const std::string& uri) const {
  const std::lock_guard lock(m_shared->mutex);
  const auto found = m_shared->changes.find(uri);
  return found == m_shared->changes.end() ? 0 : found->second;
}

bool HLspInbox::Cancelled(const nlohmann::json& id) {
  const std::lock_guard lock(m_shared->mutex);
  return m_shared->cancelled.erase(id.dump()) > 0;
}
