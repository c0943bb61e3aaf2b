// The checker's language server, driven as an editor drives it: a client script
// writes framed JSON-RPC messages to `lanternwick-check --lsp` and reads what
// comes back; once more through Neovim's own client.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

#include "platform/TextCodec.h"
#include "support/GameFixture.h"
#include "support/TempFolder.h"
#include "support/WaveFiles.h"

namespace {

// A client on the other end of the server's standard input and output.
class LspClient {
  public:
    LspClient() {
        server_.start(LANTERNWICK_CHECKER_BINARY, {"--lsp"});
        EXPECT_TRUE(server_.waitForStarted());
    }
    ~LspClient() {
        server_.closeWriteChannel();
        if (!server_.waitForFinished(10000)) server_.kill();
    }

    void sendRaw(const QByteArray& bytes) { server_.write(bytes); }
    void sendBody(const QByteArray& body) {
        server_.write("Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
    void notify(const QString& method, const QJsonObject& params) {
        sendBody(
            QJsonDocument(QJsonObject{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}})
                .toJson(QJsonDocument::Compact));
    }
    // Sends a request and gives its answer; notifications that come first are kept.
    const QJsonObject request(const QString& method, const QJsonObject& params = {}) {
        const int id = ++lastId_;
        sendBody(
            QJsonDocument(
                QJsonObject{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}})
                .toJson(QJsonDocument::Compact));
        return answerTo(id);
    }
    const QJsonObject answerTo(const QJsonValue& id) {
        for (;;) {
            const QJsonObject message = next();
            if (message.isEmpty() || message.value("id") == id) return message;
            if (message.contains("method")) notifications_.push_back(message);
        }
    }
    // The next message the server sends; empty when none comes within 20 s.
    const QJsonObject next() {
        if (!notifications_.empty()) {
            const QJsonObject first = notifications_.front();
            notifications_.erase(notifications_.begin());
            return first;
        }
        for (;;) {
            const qsizetype end = buffer_.indexOf("\r\n\r\n");
            if (end >= 0) {
                const int length = buffer_.left(end).split(':').value(1).trimmed().toInt();
                if (buffer_.size() >= end + 4 + length) {
                    const QByteArray body = buffer_.mid(end + 4, length);
                    buffer_.remove(0, end + 4 + length);
                    return QJsonDocument::fromJson(body).object();
                }
            }
            if (!server_.waitForReadyRead(20000)) return {};
            buffer_ += server_.readAllStandardOutput();
        }
    }
    // The diagnostics published next, whole.
    QJsonArray publishedDiagnostics() {
        const QJsonObject message = next();
        EXPECT_EQ(message.value("method").toString(), "textDocument/publishDiagnostics");
        return message["params"]["diagnostics"].toArray();
    }
    // The diagnostics published next, as "LINE:CHARACTER code".
    QStringList diagnostics() {
        QStringList out;
        for (const QJsonValue& d : publishedDiagnostics()) {
            out << QStringLiteral("%1:%2 %3")
                       .arg(d["range"]["start"]["line"].toInt())
                       .arg(d["range"]["start"]["character"].toInt())
                       .arg(d["code"].toString());
        }
        return out;
    }
    const QJsonObject initialize(const QJsonArray& encodings = {}) {
        QJsonObject capabilities;
        if (!encodings.isEmpty())
            capabilities["general"] = QJsonObject{{"positionEncodings", encodings}};
        const QJsonObject answer = request(
            "initialize", {{"processId", QJsonValue::Null}, {"capabilities", capabilities}});
        notify("initialized", {});
        return answer;
    }
    int exitCode() {
        server_.waitForFinished(10000);
        return server_.exitStatus() == QProcess::NormalExit ? server_.exitCode() : -1;
    }

  private:
    QProcess server_;
    QByteArray buffer_;
    std::vector<QJsonObject> notifications_;
    int lastId_ = 0;
};

int ErrorCode(const QJsonObject& answer) { return answer["error"]["code"].toInt(); }

TEST(LanguageServer, AnswersMalformedMessagesWithTheProtocolsErrors) {
    LspClient client;
    EXPECT_EQ(ErrorCode(client.request("textDocument/hover")), -32002);  // not initialized
    EXPECT_EQ(client.initialize()["result"]["capabilities"]["positionEncoding"], "utf-16");
    EXPECT_EQ(ErrorCode(client.request("initialize")), -32600);

    client.sendBody("{\"jsonrpc\": \"2.0\", \"id\": 5, \"method\": ");
    const QJsonObject broken = client.next();
    EXPECT_EQ(ErrorCode(broken), -32700);
    EXPECT_TRUE(broken["id"].isNull());
    client.sendBody("[1, 2]");
    EXPECT_EQ(ErrorCode(client.next()), -32600);
    client.sendBody("{\"jsonrpc\": \"2.0\", \"id\": 6}");
    EXPECT_EQ(ErrorCode(client.answerTo(6)), -32600);
    client.sendBody("{\"jsonrpc\": \"1.0\", \"id\": 7, \"method\": \"shutdown\"}");
    EXPECT_EQ(ErrorCode(client.answerTo(7)), -32600);
    EXPECT_EQ(ErrorCode(client.request("textDocument/formatting")), -32601);
    EXPECT_EQ(ErrorCode(client.request("textDocument/hover",
                                       {{"textDocument", QJsonObject{{"uri", "file:///none"}}}})),
              -32602);
    // A header without its length is answered, and the next message still read.
    client.sendRaw("Content-Type: application/vscode-jsonrpc\r\n\r\n");
    EXPECT_EQ(ErrorCode(client.next()), -32700);
    EXPECT_EQ(ErrorCode(client.request("textDocument/formatting")), -32601);

    const QJsonObject shutdown = client.request("shutdown");
    EXPECT_TRUE(shutdown.contains("result"));
    EXPECT_TRUE(shutdown["result"].isNull());
    EXPECT_EQ(ErrorCode(client.request("textDocument/hover")), -32600);
    client.notify("exit", {});
    EXPECT_EQ(client.exitCode(), 0);

    LspClient abrupt;
    abrupt.initialize();
    abrupt.notify("exit", {});
    EXPECT_EQ(abrupt.exitCode(), 1);  // exit without shutdown
}

// A small game: two choices, a picture, a music; one line names a missing picture.
const char kStory[] =
    "_00001\n"
    "msg      ランタンの町へようこそ。\n"
    "cg       room\n"
    "bgm      theme.wav\n"
    "keywait \n"
    "nextbot  00002 00003 00000 00000 00000 00000 00000 00000 00000 00000\n"
    "botcls  \n"
    "bottxt2  0 左へ,左の道\n"
    "bottxt2  1 右へ,右の道\n"
    "botwait \n"
    "_00002\n"
    "msg      左の道。\n"
    "next     3\n"
    "_00003\n"
    "msgtop   終わり\n"
    "cg       nothere\n"
    "next     -1\n"
    "_\n";

class LanguageServerGame : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WritePicture(dir_.filePath("Title.JPG"), 480, 358, 0x000080));
        ASSERT_TRUE(WritePicture(dir_.filePath("room.JPG"), 480, 358, 0x808080));
        ASSERT_TRUE(
            WriteWave(dir_.filePath("loop101s.wav"), 22050, 1, WaveEncoding::Pcm16, Ramp(100)));
        ASSERT_TRUE(
            WriteWave(dir_.filePath("theme.wav"), 22050, 1, WaveEncoding::Pcm16, Ramp(11025)));
        dir_.write("Lanternwick.HLP", "<p>help</p>");
        file_ = dir_.filePath("Lanternwick.dat");
        uri_ = QUrl::fromLocalFile(file_).toString();
    }
    // Opens the story, saved on disk in `onDisk`'s bytes.
    QStringList open(LspClient& client, const QString& text, const QByteArray& onDisk) {
        dir_.write("Lanternwick.dat", onDisk);
        client.notify(
            "textDocument/didOpen",
            {{"textDocument",
              QJsonObject{
                  {"uri", uri_}, {"languageId", "lanternwick"}, {"version", 1}, {"text", text}}}});
        return client.diagnostics();
    }
    QJsonObject at(int line, int character) const {
        return {{"textDocument", QJsonObject{{"uri", uri_}}},
                {"position", QJsonObject{{"line", line}, {"character", character}}}};
    }
    static QJsonObject change(int line, int from, int to, const QString& text) {
        return {{"range", QJsonObject{{"start", QJsonObject{{"line", line}, {"character", from}}},
                                      {"end", QJsonObject{{"line", line}, {"character", to}}}}},
                {"text", text}};
    }

    TempFolder dir_;
    QString file_, uri_;
};

TEST_F(LanguageServerGame, DiagnosticsFromTheEditorsTextAndTheEncodingFromTheDisk) {
    LspClient client;
    client.initialize();
    const QString story = QString::fromUtf8(kStory);
    EXPECT_EQ(open(client, story, EncodeAnsi(story)), QStringList({"15:9 missing-file"}));

    // Incremental changes, applied in order: the fault mended, a typo made.
    client.notify("textDocument/didChange",
                  {{"textDocument", QJsonObject{{"uri", uri_}, {"version", 2}}},
                   {"contentChanges",
                    QJsonArray{change(15, 9, 16, "room"), change(1, 0, 0, "msgg     x\n")}}});
    EXPECT_EQ(client.diagnostics(), QStringList({"1:0 unknown-command"}));

    // Saved as UTF-8 while the editor shows the text rightly: the bytes decide.
    client.notify("textDocument/didClose", {{"textDocument", QJsonObject{{"uri", uri_}}}});
    EXPECT_EQ(client.diagnostics(), QStringList());
    EXPECT_EQ(open(client, story, story.toUtf8()),
              QStringList({"1:9 encoding", "15:9 missing-file"}));
    dir_.write("Lanternwick.dat", EncodeAnsi(story) + "\n");
    client.notify("textDocument/didSave", {{"textDocument", QJsonObject{{"uri", uri_}}}});
    EXPECT_EQ(client.diagnostics(), QStringList({"15:9 missing-file"}));
}

// The server keeps what it measured from one change to the next; what it
// publishes after each edit must be what a server that never saw the text
// before finds in it.
TEST_F(LanguageServerGame, EachChangeGivesWhatAFreshCheckOfTheTextGives) {
    LspClient client;
    client.initialize();
    const QString story = QString::fromUtf8(kStory);
    QStringList lines = story.split('\n');
    lines.removeLast();  // after the last terminator
    open(client, story, EncodeAnsi(story));
    int version = 1;
    // Lines [first, last) replaced by `with`, in the editor and in `lines`.
    const auto replaceLines = [&](int first, int last, const QStringList& with) {
        const QJsonObject range{{"start", QJsonObject{{"line", first}, {"character", 0}}},
                                {"end", QJsonObject{{"line", last}, {"character", 0}}}};
        const QString text = with.isEmpty() ? QString() : with.join('\n') + '\n';
        client.notify(
            "textDocument/didChange",
            {{"textDocument", QJsonObject{{"uri", uri_}, {"version", ++version}}},
             {"contentChanges", QJsonArray{QJsonObject{{"range", range}, {"text", text}}}}});
        lines.remove(first, last - first);
        for (qsizetype k = 0; k < with.size(); ++k)
            lines.insert(first + k, with[k]);
    };
    const auto freshCheck = [&] {
        LspClient fresh;
        fresh.initialize();
        const QString text = lines.join('\n') + '\n';
        fresh.notify(
            "textDocument/didOpen",
            {{"textDocument", QJsonObject{{"uri", uri_}, {"version", 1}, {"text", text}}}});
        return fresh.publishedDiagnostics();
    };
    const QString wide = QStringLiteral("msg      ") + QString(40, QChar(0x706F));  // 灯 × 40
    struct Edit {
        const char* what;
        int first, last;
        QStringList with;
        const char* code;  // found after the edit
        bool found;
    };
    const Edit edits[] = {
        {"a label inserted before the end line",
         17,
         17,
         {"_00004", "msg      新しい場面。"},
         "unreached-label",
         true},
        {"a jump target deleted", 13, 14, {}, "missing-label", true},
        {"a message made too wide", 1, 2, {wide}, "message-width", true},
        {"a line no Shift-JIS can hold", 11, 12, {"msg      한국어の道。"}, "message-width", true},
        {"the wide message taken back",
         1,
         2,
         {"msg      ランタンの町へようこそ。"},
         "message-width",
         false},
        {"a label renamed to the one deleted", 10, 11, {"_00003"}, "missing-label", true},
    };
    for (const Edit& edit : edits) {
        replaceLines(edit.first, edit.last, edit.with);
        const QJsonArray incremental = client.publishedDiagnostics();
        EXPECT_EQ(incremental, freshCheck()) << edit.what;
        const bool found = std::any_of(incremental.begin(), incremental.end(), [&](const auto& d) {
            return d.toObject().value("code").toString() == QLatin1String(edit.code);
        });
        EXPECT_EQ(found, edit.found) << edit.what;
    }
}

TEST_F(LanguageServerGame, PositionsInTheEncodingTheClientOffers) {
    const QString story =
        QStringLiteral("_00001\nanime    漢字ｶﾅ.JPG    nothere.JPG \nnext     -1\n_\n");
    struct Case {
        QJsonArray offered;
        const char* agreed;
        QStringList found;
    };
    const Case cases[] = {
        {{}, "utf-16", {"1:9 missing-file", "1:21 missing-file"}},
        {{"utf-8", "utf-16"}, "utf-8", {"1:9 missing-file", "1:29 missing-file"}},
        {{"utf-32"}, "utf-32", {"1:9 missing-file", "1:21 missing-file"}},
    };
    for (const Case& c : cases) {
        LspClient client;
        EXPECT_EQ(client.initialize(c.offered)["result"]["capabilities"]["positionEncoding"],
                  c.agreed);
        EXPECT_EQ(open(client, story, EncodeAnsi(story)), c.found) << c.agreed;
        // The position of the second name, in the agreed unit, is found again.
        const int second = c.found[1].section(':', 1).section(' ', 0, 0).toInt();
        const QJsonObject hover = client.request("textDocument/hover", at(1, second + 2));
        EXPECT_TRUE(hover["result"]["contents"]["value"].toString().contains("`nothere.JPG`"))
            << c.agreed;
    }
}

QStringList Lines(const QJsonValue& locations) {
    QStringList out;
    for (const QJsonValue& l : locations.toArray()) {
        out << QStringLiteral("%1:%2-%3")
                   .arg(l["range"]["start"]["line"].toInt())
                   .arg(l["range"]["start"]["character"].toInt())
                   .arg(l["range"]["end"]["character"].toInt());
    }
    return out;
}

TEST_F(LanguageServerGame, DefinitionReferencesSymbolsAndHovers) {
    LspClient client;
    client.initialize();
    const QString story = QString::fromUtf8(kStory);
    open(client, story, EncodeAnsi(story));

    const auto definition = [&](int line, int character) {
        const QJsonValue result =
            client.request("textDocument/definition", at(line, character))["result"];
        return result.isNull() ? -1 : result["range"]["start"]["line"].toInt();
    };
    EXPECT_EQ(definition(12, 9), 13);  // next     3
    EXPECT_EQ(definition(5, 9), 10);   // the first nextbot field
    EXPECT_EQ(definition(5, 17), 13);  // the second
    EXPECT_EQ(definition(5, 23), -1);  // 00000 leads nowhere
    EXPECT_EQ(definition(1, 12), -1);  // message text

    QJsonObject references = at(13, 2);
    references["context"] = QJsonObject{{"includeDeclaration", true}};
    EXPECT_EQ(Lines(client.request("textDocument/references", references)["result"]),
              QStringList({"13:0-6", "5:15-20", "12:9-10"}));

    const QJsonArray symbols =
        client
            .request("textDocument/documentSymbol",
                     {{"textDocument", QJsonObject{{"uri", uri_}}}})["result"]
            .toArray();
    ASSERT_EQ(symbols.size(), 3);
    EXPECT_EQ(symbols[0]["name"], "_00001");
    EXPECT_EQ(symbols[0]["detail"].toString(), QStringLiteral("ランタンの町へようこそ。"));
    EXPECT_EQ(symbols[0]["range"]["end"]["line"], 9);
    EXPECT_EQ(symbols[2]["detail"].toString(), QStringLiteral("終わり"));
    EXPECT_EQ(symbols[2]["range"]["end"]["line"], 16);

    const auto hover = [&](int line, int character) {
        return client
            .request("textDocument/hover", at(line, character))["result"]["contents"]["value"]
            .toString();
    };
    EXPECT_TRUE(hover(1, 1).startsWith("**msg**"));
    EXPECT_TRUE(hover(1, 1).contains(QStringLiteral("10 文字目から行の終わりまで")));
    EXPECT_TRUE(hover(4, 3).contains(QStringLiteral("ここで止まって待つ")));
    EXPECT_TRUE(hover(5, 2).contains(QStringLiteral("22〜26 文字目（数）")));
    EXPECT_TRUE(hover(2, 10).contains(QStringLiteral("`room.JPG` → `room.JPG`: 480x358 の絵")));
    EXPECT_TRUE(hover(3, 12).contains(QStringLiteral("22050 Hz、1 チャンネル、0.50 秒")));
    EXPECT_TRUE(hover(15, 10).contains(QStringLiteral("ありません")));
}

// "LABEL=NEW TEXT@FROM-TO" for each item offered at the place.
QStringList Offers(LspClient& client, const QJsonObject& place) {
    QStringList out;
    for (const QJsonValue& item :
         client.request("textDocument/completion", place)["result"]["items"].toArray()) {
        const QJsonValue edit = item["textEdit"];
        out << QStringLiteral("%1=%2@%3-%4")
                   .arg(item["label"].toString(), edit["newText"].toString())
                   .arg(edit["range"]["start"]["character"].toInt())
                   .arg(edit["range"]["end"]["character"].toInt());
    }
    return out;
}

TEST_F(LanguageServerGame, CompletesWordsLabelsAndFileNames) {
    LspClient client;
    client.initialize();
    const QString story = QString::fromUtf8(kStory);
    open(client, story, EncodeAnsi(story));

    EXPECT_EQ(Offers(client, at(6, 3)),
              QStringList({"botcls=botcls   @0-3", "bottxt2=bottxt2  @0-3", "botpic=botpic   @0-3",
                           "botwait=botwait  @0-3", "botrpg=botrpg   @0-3"}));
    EXPECT_EQ(Offers(client, at(12, 10)), QStringList({"1=1@9-10", "2=2@9-10", "3=3@9-10"}));
    EXPECT_EQ(Offers(client, at(5, 21)),
              QStringList({"1=00001@21-26", "2=00002@21-26", "3=00003@21-26"}));
    EXPECT_EQ(Offers(client, at(2, 11)),
              QStringList({"room.JPG=room.JPG@9-13", "Title.JPG=Title.JPG@9-13"}));
    EXPECT_EQ(Offers(client, at(3, 10)),
              QStringList({"loop101s.wav=loop101s.wav@9-18", "theme.wav=theme.wav@9-18"}));
    EXPECT_EQ(Offers(client, at(1, 12)), QStringList());  // inside a message
}

// Neovim's own client, headless: diagnostics of Japanese text arrive, and
// definition jumps. Debian's neovim package; setup.sh installs it.
TEST_F(LanguageServerGame, NeovimsClientShowsDiagnosticsAndJumps) {
    const QString nvim = QStandardPaths::findExecutable("nvim");
    if (nvim.isEmpty()) GTEST_SKIP() << "nvim is not installed (setup.sh installs neovim)";
    const QString story = QString::fromUtf8(kStory);
    dir_.write("Lanternwick.dat", EncodeAnsi(story));
    const QString result = dir_.filePath("result.txt");
    const QString config =
        dir_.write("init.lua", QStringLiteral(R"(
vim.opt.fileencodings = 'ucs-bom,utf-8,cp932'
local out = {}
local function finish(line)
  table.insert(out, line)
  vim.fn.writefile(out, '%1')
end
vim.cmd('edit %2')
local client = vim.lsp.start_client({ name = 'lanternwick', cmd = { '%3', '--lsp' },
                                      root_dir = '%4' })
vim.lsp.buf_attach_client(0, client)
local got = vim.wait(20000, function() return #vim.diagnostic.get(0) > 0 end, 20)
for _, d in ipairs(vim.diagnostic.get(0)) do
  local code = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code) or '?'
  finish(string.format('diagnostic %d:%d %s', d.lnum, d.col, code))
end
local params = { textDocument = vim.lsp.util.make_text_document_params(),
                 position = { line = 12, character = 9 } }
local answer = vim.lsp.buf_request_sync(0, 'textDocument/definition', params, 20000)
for _, reply in pairs(answer or {}) do
  local location = reply.result[1] or reply.result
  finish('definition ' .. location.range.start.line)
end
finish('done ' .. tostring(got))
vim.lsp.stop_client(client)
vim.cmd('qall!')
)")
                                   .arg(result, file_, LANTERNWICK_CHECKER_BINARY, dir_.path())
                                   .toUtf8());
    // Its logs and state go to the test's folder, not the user's.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"})
        env.insert(name, dir_.path());
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.start(nvim, {"--headless", "-i", "NONE", "--noplugin", "-u", config});
    ASSERT_TRUE(editor.waitForFinished(60000));
    QFile file(result);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << editor.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts),
              QStringList({"diagnostic 15:9 missing-file", "definition 13", "done true"}));
}

}  // namespace
