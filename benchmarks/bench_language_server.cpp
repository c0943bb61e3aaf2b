// What the language server takes from a change in the editor to the diagnostics
// ready to send, for a scenario of 10,000 lines open in it: the edit applied,
// the whole text checked again, the diagnostics written as JSON. An editor
// shows them within the time of one keystroke when this stays under 100 ms.
#include <benchmark/benchmark.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QUrl>

#include "LanguageServer.h"

namespace {

QJsonObject Message(const QString& method, const QJsonObject& params, int id = 0) {
    QJsonObject message{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
    if (id > 0) message.insert("id", id);
    return message;
}

// Scenes of ten lines: a label, Japanese text, a picture that is missing (a
// finding in each scene), a wait and a jump to the next scene.
QString Story(int64_t lines) {
    QString text;
    int label = 1;
    for (int64_t i = 0; i < lines; i += 10, ++label) {
        text += QStringLiteral("_%1\n").arg(label, 5, 10, QLatin1Char('0'));
        for (int k = 0; k < 6; ++k)
            text += QStringLiteral("msg      ランタンの灯りが%1番目の角を照らす。\n").arg(k);
        text += QStringLiteral("cg       scene%1\n").arg(label);
        text += QStringLiteral("keywait \n");
        text += QStringLiteral("next     %1\n").arg(label + 1);
    }
    text += QStringLiteral("_%1\nnext     -1\n_\n").arg(label, 5, 10, QLatin1Char('0'));
    return text;
}

void BM_LanguageServerChange(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString uri = QUrl::fromLocalFile(dir.filePath("Lanternwick.dat")).toString();
    LanguageServer server;
    server.handle(Message("initialize", {{"capabilities", QJsonObject()}}, 1));
    server.handle(
        Message("textDocument/didOpen",
                {{"textDocument",
                  QJsonObject{{"uri", uri}, {"version", 1}, {"text", Story(state.range(0))}}}}));
    const int middle = static_cast<int>(state.range(0) / 2) + 1;  // a message line
    int version = 1;
    for (auto _ : state) {
        // One character typed into a message, then taken back: the text stays the same size.
        const bool typing = version % 2 == 1;
        const QJsonObject start{{"line", middle}, {"character", 9}};
        const QJsonObject end{{"line", middle}, {"character", typing ? 9 : 10}};
        const QJsonObject change{{"range", QJsonObject{{"start", start}, {"end", end}}},
                                 {"text", typing ? "灯" : ""}};
        const auto out = server.handle(
            Message("textDocument/didChange",
                    {{"textDocument", QJsonObject{{"uri", uri}, {"version", ++version}}},
                     {"contentChanges", QJsonArray{change}}}));
        const QByteArray sent = QJsonDocument(out.front()).toJson(QJsonDocument::Compact);
        benchmark::DoNotOptimize(sent.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LanguageServerChange)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
