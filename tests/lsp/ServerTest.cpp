// The language server driven through its streams as a client drives it:
// what it answers, that bad input leaves it answering, and where its
// columns fall in a line of UTF-8 or UTF-16.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "lsp/Server.h"
#include "lsp/Transport.h"

namespace orrikey::lsp {
namespace {

using Lines = std::vector<std::string>;

const char* const kUri = "file:///p.42S";

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string Request(int id, const std::string& method, const Json& params) {
  return Framed(Json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}.dump());
}

std::string Notification(const std::string& method, const Json& params) {
  return Framed(Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump());
}

std::string Initialize(const std::string& encoding = "utf-16") {
  return Request(1, "initialize", {{"capabilities", {{"general", {{"positionEncodings", {encoding}}}}}}}) +
         Notification("initialized", Json::object());
}

std::string Open(const std::string& text) {
  return Notification(
      "textDocument/didOpen",
      {{"textDocument", {{"uri", kUri}, {"languageId", "hp42s"}, {"version", 1}, {"text", text}}}});
}

Json At(size_t line, size_t character) { return {{"line", line}, {"character", character}}; }

Json OnDocument(const Json& position) { return {{"textDocument", {{"uri", kUri}}}, {"position", position}}; }

struct Session {
  std::vector<Json> messages;
  int status = 0;
};

Session Served(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, log;
  Session session;
  session.status = Server(in, out, log, "test").Run();
  std::istringstream written(out.str());
  Reader reader(written);
  while (std::optional<Frame> frame = reader.Next()) session.messages.push_back(Json::parse(frame->body));
  return session;
}

// "1 ok", "7 -32601" for a response; the method of a notification.
Lines Summary(const Session& session) {
  Lines lines;
  for (const Json& message : session.messages) {
    if (message.contains("method")) lines.push_back(message["method"]);
    else if (message.contains("error"))
      lines.push_back(message["id"].dump() + " " + message["error"]["code"].dump());
    else lines.push_back(message["id"].dump() + " ok");
  }
  return lines;
}

std::string Described(const Json& range) {
  const auto at = [](const Json& p) { return p["line"].dump() + ":" + p["character"].dump(); };
  return at(range["start"]) + "-" + at(range["end"]);
}

// The last diagnostics published, as "range severity".
Lines LastDiagnostics(const Session& session) {
  Lines lines;
  for (auto message = session.messages.rbegin(); message != session.messages.rend(); ++message) {
    if (message->value("method", "") != "textDocument/publishDiagnostics") continue;
    for (const Json& diagnostic : (*message)["params"]["diagnostics"])
      lines.push_back(Described(diagnostic["range"]) + " " + diagnostic["severity"].dump());
    break;
  }
  return lines;
}

const Json* Response(const Session& session, int id) {
  for (const Json& message : session.messages)
    if (message.value("id", Json()) == id) return &message;
  return nullptr;
}

const std::string kHover = Request(99, "textDocument/hover", OnDocument(At(0, 0)));

struct ProtocolRow {
  std::string name;
  std::string input;
  Lines answers;
  int status;
};

class ProtocolTest : public testing::TestWithParam<ProtocolRow> {};

TEST_P(ProtocolTest, AnswersAndGoesOn) {
  const Session session = Served(GetParam().input);
  EXPECT_EQ(Summary(session), GetParam().answers);
  EXPECT_EQ(session.status, GetParam().status);
}

const std::string kStart = Initialize() + Open("LBL 01\nEND");
const Lines kStarted = {"1 ok", "textDocument/publishDiagnostics"};

Lines Then(Lines answers) {
  answers.insert(answers.begin(), kStarted.begin(), kStarted.end());
  answers.push_back("99 ok");
  return answers;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProtocolTest,
    testing::Values(
        ProtocolRow{"ShutDownThenExit",
                    kStart + Request(2, "shutdown", nullptr) + Notification("exit", nullptr) + kHover,
                    {"1 ok", "textDocument/publishDiagnostics", "2 ok"},
                    0},
        ProtocolRow{"ExitWithoutShutdown", kStart + Notification("exit", nullptr), kStarted, 1},
        ProtocolRow{"EndOfInputEnds", kStart, kStarted, 1},
        ProtocolRow{"RequestAfterShutdown",
                    kStart + Request(2, "shutdown", nullptr) + kHover,
                    {"1 ok", "textDocument/publishDiagnostics", "2 ok", "99 -32600"},
                    0},
        ProtocolRow{"RequestBeforeInitialize",
                    kHover + kStart + kHover,
                    {"99 -32002", "1 ok", "textDocument/publishDiagnostics", "99 ok"},
                    1},
        ProtocolRow{"UnknownRequest", kStart + Request(2, "frob/nicate", {}) + kHover, Then({"2 -32601"}), 1},
        ProtocolRow{"UnknownNotificationIgnored", kStart + Notification("$/frob", {}) + kHover, Then({}), 1},
        ProtocolRow{"MalformedJson", kStart + Framed("{\"id\": 3, ") + kHover, Then({"null -32700"}), 1},
        ProtocolRow{"NoObject", kStart + Framed("[1, 2]") + kHover, Then({"null -32600"}), 1},
        ProtocolRow{"MethodNoString", kStart + Framed(R"({"jsonrpc":"2.0","id":4,"method":5})") + kHover,
                    Then({"4 -32600"}), 1},
        ProtocolRow{
            "PositionOfWrongType",
            kStart + Request(5, "textDocument/hover", OnDocument({{"line", "x"}, {"character", 0}})) + kHover,
            Then({"5 -32602"}), 1},
        ProtocolRow{"DocumentNotOpen",
                    kStart +
                        Request(5, "textDocument/hover",
                                {{"textDocument", {{"uri", "file:///q"}}}, {"position", At(0, 0)}}) +
                        kHover,
                    Then({"5 -32602"}), 1},
        ProtocolRow{"PositionPastTheEnd",
                    kStart + Request(6, "textDocument/definition", OnDocument(At(90, 90))) + kHover,
                    Then({"6 ok"}), 1},
        ProtocolRow{"NoContentLength", kStart + "Content-Type: x\r\n\r\n" + kHover, Then({"null -32600"}), 1},
        ProtocolRow{"TenMegabytes",
                    kStart +
                        Request(7, "textDocument/hover",
                                {{"textDocument", {{"uri", kUri}}},
                                 {"position", At(0, 0)},
                                 {"padding", std::string(10 << 20, 'x')}}) +
                        kHover,
                    Then({"7 ok"}), 1},
        ProtocolRow{"TooLargeToOpen",
                    Initialize() + Open(std::string(5 << 20, 'x')) + kHover,
                    {"1 ok", "window/showMessage", "99 -32602"},
                    1},
        ProtocolRow{"CancelledWhileWaiting",
                    kStart + Request(8, "textDocument/hover", OnDocument(At(0, 0))) +
                        Notification("$/cancelRequest", {{"id", 8}}) + kHover,
                    Then({"8 -32800"}), 1}),
    [](const testing::TestParamInfo<ProtocolRow>& info) { return info.param.name; });

struct ColumnRow {
  std::string name;
  std::string encoding;
  std::string text;
  // The method, asked at `position`; else the text is typed into an empty
  // document, and the range is its first diagnostic's.
  std::string request;
  Json position;
  std::string range;  // of the first diagnostic, the answer's range, or its first text edit's
};

class ColumnTest : public testing::TestWithParam<ColumnRow> {};

TEST_P(ColumnTest, CountsInTheClientsUnits) {
  const ColumnRow& row = GetParam();
  std::string input = Initialize(row.encoding);
  if (row.request.empty()) {
    input += Open("") +
             Notification("textDocument/didChange",
                          {{"textDocument", {{"uri", kUri}}},
                           {"contentChanges",
                            {{{"range", {{"start", At(0, 0)}, {"end", At(0, 0)}}}, {"text", row.text}}}}});
  } else {
    input += Open(row.text) + Request(2, row.request, OnDocument(row.position));
  }
  const Session session = Served(input);
  if (row.request.empty()) {
    ASSERT_FALSE(LastDiagnostics(session).empty());
    EXPECT_EQ(LastDiagnostics(session).front().substr(0, row.range.size()), row.range);
    return;
  }
  const Json* response = Response(session, 2);
  ASSERT_NE(response, nullptr);
  const Json& result = (*response)["result"];
  const Json& range = result.is_array() ? result.at(0).at("textEdit").at("range") : result.at("range");
  EXPECT_EQ(Described(range), row.range);
}

// ▸ ÷ Σ are one UTF-16 unit and two or three bytes; 😀 two units and four bytes.
INSTANTIATE_TEST_SUITE_P(
    Rows, ColumnTest,
    testing::Values(ColumnRow{"RefusedAfterGlyphsUtf16", "utf-16", "LBL 01 @ ▸÷Σ😀", "", {}, "0:12-0:14"},
                    ColumnRow{"RefusedAfterGlyphsUtf8", "utf-8", "LBL 01 @ ▸÷Σ😀", "", {}, "0:16-0:20"},
                    ColumnRow{"NameAfterGlyphsUtf16", "utf-16", "LBL \"Σ÷\"\nGTO \"Σ÷\"\nEND",
                              "textDocument/prepareRename", At(1, 6), "1:4-1:8"},
                    ColumnRow{"NameAfterGlyphsUtf8", "utf-8", "LBL \"Σ÷\"\nGTO \"Σ÷\"\nEND",
                              "textDocument/prepareRename", At(1, 8), "1:4-1:10"},
                    ColumnRow{"CompletionAfterGlyphUtf16", "utf-16", "STO÷ S", "textDocument/completion",
                              At(0, 6), "0:5-0:6"},
                    ColumnRow{"CompletionAfterGlyphUtf8", "utf-8", "STO÷ S", "textDocument/completion",
                              At(0, 7), "0:6-0:7"},
                    // Text that only a listing reads: its program lines where the listing shows them.
                    ColumnRow{"ListingDefinitionUtf16", "utf-16", "01 ▸LBL \"÷Σ\" @ 😀\n02 GTO \"÷Σ\"\n03 END",
                              "textDocument/definition", At(1, 8), "0:4-0:12"},
                    ColumnRow{"ListingDefinitionUtf8", "utf-8", "01 ▸LBL \"÷Σ\" @ 😀\n02 GTO \"÷Σ\"\n03 END",
                              "textDocument/definition", At(1, 10), "0:6-0:16"},
                    // A listing's line that the reader respells: its instruction, without the number.
                    ColumnRow{"ListingRespelledDefinition", "utf-16", "01 LBL 5\n02 GTO 5\n03 END",
                              "textDocument/definition", At(1, 4), "0:3-0:8"}),
    [](const testing::TestParamInfo<ColumnRow>& info) { return info.param.name; });

struct ChangeRow {
  std::string name;
  std::string text;
  Json changes;
  Lines diagnostics;
};

class ChangeTest : public testing::TestWithParam<ChangeRow> {};

TEST_P(ChangeTest, PublishesTheNewDiagnostics) {
  const Session session =
      Served(Initialize() + Open(GetParam().text) +
             Notification("textDocument/didChange", {{"textDocument", {{"uri", kUri}, {"version", 2}}},
                                                     {"contentChanges", GetParam().changes}}));
  EXPECT_EQ(LastDiagnostics(session), GetParam().diagnostics);
}

Json Edit(Json start, Json end, const std::string& text) {
  return {{"range", {{"start", start}, {"end", end}}}, {"text", text}};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChangeTest,
    testing::Values(
        ChangeRow{"LineMended", "FOO\nEND", Json::array({Edit(At(0, 0), At(0, 3), "CLX")}), {}},
        ChangeRow{"LineBroken", "CLX\nEND", Json::array({Edit(At(0, 1), At(0, 1), "Q")}), {"0:0-0:4 1"}},
        ChangeRow{"LabelInserted", "GTO 01\nEND", Json::array({Edit(At(0, 0), At(0, 0), "LBL 01\n")}), {}},
        ChangeRow{
            "LinesJoined", "÷ FOO\nX<=Y?\nEND", Json::array({Edit(At(0, 2), At(1, 0), "")}), {"0:2-0:7 1"}},
        ChangeRow{"TwoEditsInTurn",
                  "CLX\nEND",
                  Json::array({Edit(At(1, 0), At(1, 0), "X<=Y?\n"), Edit(At(0, 0), At(0, 3), "FOO")}),
                  {"0:0-0:3 1", "1:0-1:5 3"}},
        ChangeRow{"WholeText", "CLX\nEND", Json::array({{{"text", "FOO\nEND"}}}), {"0:0-0:3 1"}},
        ChangeRow{"PastTheEnd", "CLX", Json::array({Edit(At(5, 0), At(9, 9), "\nFOO")}), {"1:0-1:3 1"}},
        ChangeRow{"ListingLineRespelled",
                  "01 LBL 01\n02 END",
                  Json::array({Edit(At(0, 3), At(0, 9), "GTO 5")}),
                  {"0:3-0:8 2"}}),
    [](const testing::TestParamInfo<ChangeRow>& info) { return info.param.name; });

// initializationOptions' target holds for every document: a line of today's
// calculators is an error for the HP-42S alone; an unknown target is refused.
struct TargetRow {
  std::string name;
  Json options;
  Lines answers;
  Lines diagnostics;
};

class TargetTest : public testing::TestWithParam<TargetRow> {};

TEST_P(TargetTest, ChecksForTheTargetCalculators) {
  Json params = {{"capabilities", Json::object()}};
  if (!GetParam().options.is_null()) params["initializationOptions"] = GetParam().options;
  const Session session = Served(
      Request(1, "initialize", params) + Notification("initialized", Json::object()) +
      Open("LBL \"A\"\nDROPN 2\nEND") + Request(2, "textDocument/documentSymbol", OnDocument(At(0, 0))));
  EXPECT_EQ(Summary(session), GetParam().answers);
  EXPECT_EQ(LastDiagnostics(session), GetParam().diagnostics);
  if (const Json* symbols = Response(session, 2); symbols && symbols->contains("result"))
    EXPECT_EQ(
        (*symbols)["result"][0]["detail"],
        "{ 8-Byte Prgm }, needs SIZE 0; HP-42S: no, 1 line uses today's instructions (first at line 2)");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TargetTest,
    testing::Values(
        TargetRow{"NoneIsToday", nullptr, {"1 ok", "textDocument/publishDiagnostics", "2 ok"}, {}},
        TargetRow{"Today", {{"target", "today"}}, {"1 ok", "textDocument/publishDiagnostics", "2 ok"}, {}},
        TargetRow{"Hp42s",
                  {{"target", "hp42s"}},
                  {"1 ok", "textDocument/publishDiagnostics", "2 ok"},
                  {"1:0-1:7 1"}},
        TargetRow{"Unknown", {{"target", "HP-42S"}}, {"1 -32602", "2 -32002"}, {}},
        TargetRow{"NotAName", {{"target", 42}}, {"1 -32602", "2 -32002"}, {}}),
    [](const testing::TestParamInfo<TargetRow>& info) { return info.param.name; });

struct MessageRow {
  std::string name;
  std::string text;
  std::string message;  // of the first diagnostic
};

class MessageTest : public testing::TestWithParam<MessageRow> {};

// Diagnostics are written as text: their messages must read back as they
// were, and a quick fix must name its diagnostic as it was published.
TEST_P(MessageTest, ReadsBackAsWritten) {
  const Session session = Served(Initialize() + Open(GetParam().text) +
                                 Request(2, "textDocument/codeAction",
                                         {{"textDocument", {{"uri", kUri}}},
                                          {"range", {{"start", At(0, 0)}, {"end", At(0, 0)}}},
                                          {"context", {{"diagnostics", Json::array()}}}}));
  ASSERT_GE(session.messages.size(), 2u);
  const Json& published = session.messages[1]["params"];
  EXPECT_EQ(published["uri"], kUri);
  EXPECT_EQ(published["version"], 1);
  ASSERT_FALSE(published["diagnostics"].empty());
  const Json& first = published["diagnostics"][0];
  EXPECT_EQ(first["message"], GetParam().message);
  EXPECT_EQ(first["source"], "orrikey");
  const Json* actions = Response(session, 2);
  ASSERT_NE(actions, nullptr);
  for (const Json& action : (*actions)["result"]) EXPECT_EQ(action["diagnostics"][0], first);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MessageTest,
    testing::Values(MessageRow{"QuoteBackslashAndGlyph", "F\\Ö\"≤\nEND", "unknown instruction \"F\\Ö\"≤\""},
                    MessageRow{"SpellingWithItsFix", "X<=Y?\nEND", "the calculator writes this as \"X≤Y?\""},
                    MessageRow{"RefusedListingLine", "01 ▸LBL \"A\"\n02 ✓\n03 END",
                               "The character ✓ (U+2713) has no calculator code"}),
    [](const testing::TestParamInfo<MessageRow>& info) { return info.param.name; });

}  // namespace
}  // namespace orrikey::lsp
