// A session with the server over pipes, through the real module: the protocol's errors, diagnostics in the
// negotiated encoding, the suppression offered and applied as an edit, and the exit status.
#include "HLspServer.h"

#include <ext/stdio_filebuf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <future>

#include "HLspUri.h"
#include "HostTestFiles.h"

namespace {

using nlohmann::json;

struct KPipe {
  KPipe() {
    if (pipe(fds) != 0) throw std::runtime_error("no pipe");
  }
  int fds[2];
};

// The client's end of a server running on a thread of its own.
class KSession {
 public:
  explicit KSession(const HLspChecker::Settings& settings) {
    m_status = std::async(std::launch::async, [this, settings] {
      __gnu_cxx::stdio_filebuf<char> inBuffer(m_in.fds[0], std::ios::in), outBuffer(m_out.fds[1], std::ios::out);
      std::istream in(&inBuffer);
      std::ostream out(&outBuffer);
      return HLspServer(in, out, settings).Run();
    });
  }
  // The server sees the input's end and stops.
  ~KSession() {
    if (m_in.fds[1] >= 0) close(m_in.fds[1]);
  }
  KSession(const KSession&) = delete;
  KSession& operator=(const KSession&) = delete;

  void Send(const std::string& body) {
    const std::string framed = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    ASSERT_EQ(write(m_in.fds[1], framed.data(), framed.size()), static_cast<ssize_t>(framed.size()));
  }
  void Request(int id, const std::string& method, const json& params) {
    Send(json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}.dump());
  }
  void Notify(const std::string& method, const json& params) {
    Send(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump());
  }
  // The next message of the server's that answers the id or is a notification of the method.
  json Next(const json& wanted) {
    for (;;) {
      const HJsonRpc::Reader::Result read = m_reader.Next();
      if (read.kind != HJsonRpc::Reader::Kind::Message) return nullptr;
      json message = json::parse(read.body);
      if (message.value("id", json()) == wanted || message.value("method", json()) == wanted) return message;
    }
  }
  int Status() {
    close(m_in.fds[1]);
    m_in.fds[1] = -1;
    return m_status.get();
  }

 private:
  KPipe m_in;
  KPipe m_out;
  __gnu_cxx::stdio_filebuf<char> m_fromServer{m_out.fds[0], std::ios::in};
  std::istream m_fromServerStream{&m_fromServer};
  HJsonRpc::Reader m_reader{m_fromServerStream};
  std::future<int> m_status;
};

class HLspServerTest : public testing::Test {
 protected:
  void SetUp() override {
    m_files.Write("global/settings.ini",
                  "[Pattern]\nName=Printf\nPattern=%[sd]\nRegEx=1\nCheckMethod=1\nCheckFlags=6\n");
  }
  HostTestFiles m_files;
  KSession m_session{{m_files.Path("global"), "", IP_MODULE_PATH, ""}};
};

TEST_F(HLspServerTest, ShowsSuppressesAndEndsAsTheProtocolSays) {
  m_session.Request(1, "textDocument/hover", json::object());
  EXPECT_EQ(m_session.Next(1)["error"]["code"], HJsonRpc::kServerNotInitialized);
  m_session.Request(2, "initialize", {{"capabilities", {{"general", {{"positionEncodings", {"utf-16", "utf-8"}}}}}}});
  EXPECT_EQ(m_session.Next(2)["result"]["capabilities"]["positionEncoding"], "utf-8");
  m_session.Notify("initialized", json::object());
  m_session.Request(3, "no/such", json::object());
  EXPECT_EQ(m_session.Next(3)["error"]["code"], HJsonRpc::kMethodNotFound);
  m_session.Send("{not json");
  EXPECT_EQ(m_session.Next(nullptr)["error"]["code"], HJsonRpc::kParseError);

  // é is two bytes: the translation ends at byte 12 of its line.
  m_files.Write("doc/fr.po", "");  // the folder of the document, which itself is not saved yet
  const std::string uri = HLspUri::FromPath(m_files.Path("doc/de.po"));
  const std::string po = "msgid \"a %s\"\nmsgstr \"\xC3\xA9 a\"\n";
  m_session.Notify("textDocument/didOpen", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", "#\n" + po}}}});
  json diagnostics = m_session.Next("textDocument/publishDiagnostics")["params"]["diagnostics"];
  ASSERT_EQ(diagnostics.size(), 1u) << diagnostics;
  const json range = {{"start", {{"line", 2}, {"character", 8}}}, {"end", {{"line", 2}, {"character", 12}}}};
  EXPECT_EQ(diagnostics[0]["range"], range);
  EXPECT_EQ(diagnostics[0]["code"], "Printf");
  EXPECT_EQ(diagnostics[0]["relatedInformation"][0]["location"]["uri"],
            HLspUri::FromPath(m_files.Path("global/settings.ini")));

  m_session.Request(4, "textDocument/codeAction", {{"textDocument", {{"uri", uri}}}, {"range", range},
                                                    {"context", {{"diagnostics", diagnostics}}}});
  const json actions = m_session.Next(4)["result"];
  ASSERT_EQ(actions.size(), 2u);
  const json edit = actions[0]["edit"]["changes"][uri][0];
  EXPECT_EQ(edit["newText"], "#, inline-patterns-ignore:\"Printf\"\n");
  EXPECT_EQ(edit["range"]["start"], (json{{"line", 1}, {"character", 0}}));
  m_session.Notify("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", 2}}},
                                              {"contentChanges", {{{"range", edit["range"]}, {"text", edit["newText"]}}}}});
  EXPECT_EQ(m_session.Next("textDocument/publishDiagnostics")["params"]["diagnostics"], json::array());

  m_session.Request(5, "shutdown", nullptr);
  EXPECT_EQ(m_session.Next(5)["result"], nullptr);
  m_session.Notify("exit", nullptr);
  EXPECT_EQ(m_session.Status(), 0);
}

TEST_F(HLspServerTest, AnInputThatEndsWithoutShutdownIsStatusOne) {
  m_session.Send("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"initialize\",\"params\":{\"capabilities\":{}}}");
  EXPECT_EQ(m_session.Next(1)["result"]["capabilities"]["positionEncoding"], "utf-16");
  EXPECT_EQ(m_session.Status(), 1);
}

}  // namespace
