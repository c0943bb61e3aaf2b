#include "LanguageServer.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

#include "LspFeatures.h"
#include "LspTransport.h"
#include "platform/FileLookup.h"

namespace {

// The protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;

// Severities and kinds as the protocol numbers them.
constexpr int kSeverityError = 1;
constexpr int kSeverityWarning = 2;
constexpr int kSeverityInformation = 3;
constexpr int kSymbolFunction = 12;
constexpr int kCompletionKeyword = 14;
constexpr int kCompletionFile = 17;
constexpr int kCompletionReference = 18;
constexpr int kSyncIncremental = 2;

QJsonObject Response(const QJsonValue& id, const QJsonValue& result) {
    return {{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
            {QStringLiteral("id"), id},
            {QStringLiteral("result"), result}};
}

QJsonObject ErrorResponse(const QJsonValue& id, int code, const QString& message) {
    return {{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
            {QStringLiteral("id"), id},
            {QStringLiteral("error"),
             QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}}}};
}

QJsonObject Notification(const QString& method, const QJsonObject& params) {
    return {{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
            {QStringLiteral("method"), method},
            {QStringLiteral("params"), params}};
}

// The position encodings the server speaks, by their protocol names.
std::optional<ColumnUnit> UnitNamed(const QString& name) {
    if (name == QLatin1String("utf-16")) return ColumnUnit::Utf16;
    if (name == QLatin1String("utf-8")) return ColumnUnit::Bytes;
    if (name == QLatin1String("utf-32")) return ColumnUnit::Characters;
    return std::nullopt;
}

QString UnitName(ColumnUnit unit) {
    switch (unit) {
        case ColumnUnit::Bytes: return QStringLiteral("utf-8");
        case ColumnUnit::Characters: return QStringLiteral("utf-32");
        default: return QStringLiteral("utf-16");
    }
}

// Files named by the scenario are looked up in its folder alone while a request runs.
struct GameFolderDuringRequest {
    explicit GameFolderDuringRequest(const QString& dir) { SetGameFolder(dir); }
    ~GameFolderDuringRequest() { SetGameFolder(QString()); }
};

QJsonObject SpanRange(const LspDocument& document, const TextSpan& span) {
    return RangeJson(document.position(span.line, span.start),
                     document.position(span.line, span.end));
}

QJsonObject Location(const QString& uri, const LspDocument& document, const TextSpan& span) {
    return {{QStringLiteral("uri"), uri}, {QStringLiteral("range"), SpanRange(document, span)}};
}

// A message's "id" only when it is one the protocol allows: a number or a string.
bool UsableId(const QJsonValue& id) { return id.isDouble() || id.isString(); }

}  // namespace

QJsonObject LanguageServer::parseError(const QString& why) {
    return ErrorResponse(QJsonValue::Null, kParseError, why);
}

std::vector<QJsonObject> LanguageServer::handle(const QJsonValue& message) {
    std::vector<QJsonObject> out;
    const QJsonObject object = message.toObject();
    const QJsonValue id = object.value(QLatin1String("id"));
    const bool request = object.contains(QLatin1String("id"));
    const QJsonValue methodValue = object.value(QLatin1String("method"));
    if (!message.isObject() || object.value(QLatin1String("jsonrpc")) != QLatin1String("2.0") ||
        (request && !UsableId(id)) ||
        (!methodValue.isString() && !object.contains(QLatin1String("result")) &&
         !object.contains(QLatin1String("error")))) {
        out.push_back(ErrorResponse(UsableId(id) ? id : QJsonValue(QJsonValue::Null),
                                    kInvalidRequest,
                                    QStringLiteral("not a JSON-RPC 2.0 request or notification")));
        return out;
    }
    if (!methodValue.isString()) return out;  // a client's answer: the server asks nothing
    const QString method = methodValue.toString();
    const QJsonValue paramsValue = object.value(QLatin1String("params"));
    if (!paramsValue.isUndefined() && !paramsValue.isObject() && !paramsValue.isArray() &&
        !paramsValue.isNull()) {
        if (request) out.push_back(ErrorResponse(id, kInvalidParams, QStringLiteral("bad params")));
        return out;
    }
    const QJsonObject params = paramsValue.toObject();

    if (method == QLatin1String("exit")) {
        exitStatus_ = shutDown_ ? 0 : 1;
        return out;
    }
    if (!initialized_ && method != QLatin1String("initialize")) {
        if (request) {
            out.push_back(
                ErrorResponse(id, kServerNotInitialized, QStringLiteral("initialize comes first")));
        }
        return out;
    }
    if (shutDown_) {
        if (request) {
            out.push_back(
                ErrorResponse(id, kInvalidRequest, QStringLiteral("the server is shut down")));
        }
        return out;
    }

    if (!request) {
        if (method == QLatin1String("textDocument/didOpen"))
            open(params, out);
        else if (method == QLatin1String("textDocument/didChange"))
            change(params, out);
        else if (method == QLatin1String("textDocument/didSave"))
            save(params, out);
        else if (method == QLatin1String("textDocument/didClose"))
            close(params, out);
        // Every other notification ($/cancelRequest, initialized, ...) needs nothing.
        return out;
    }

    using Handler = QJsonValue (LanguageServer::*)(const QJsonObject&);
    static const QHash<QString, Handler> requests = {
        {QStringLiteral("textDocument/definition"), &LanguageServer::definition},
        {QStringLiteral("textDocument/references"), &LanguageServer::references},
        {QStringLiteral("textDocument/hover"), &LanguageServer::hover},
        {QStringLiteral("textDocument/completion"), &LanguageServer::completion},
        {QStringLiteral("textDocument/documentSymbol"), &LanguageServer::symbols},
    };
    if (method == QLatin1String("initialize")) {
        if (initialized_) {
            out.push_back(
                ErrorResponse(id, kInvalidRequest, QStringLiteral("initialized already")));
        } else {
            out.push_back(Response(id, initialize(params)));
        }
    } else if (method == QLatin1String("shutdown")) {
        shutDown_ = true;
        out.push_back(Response(id, QJsonValue::Null));
    } else if (const auto it = requests.constFind(method); it != requests.constEnd()) {
        if (!fileOf(params)) {
            out.push_back(ErrorResponse(id, kInvalidParams,
                                        QStringLiteral("no open document with that uri")));
        } else {
            out.push_back(Response(id, (this->*it.value())(params)));
        }
    } else {
        out.push_back(ErrorResponse(id, kMethodNotFound, QStringLiteral("no method ") + method));
    }
    return out;
}

QJsonValue LanguageServer::initialize(const QJsonObject& params) {
    initialized_ = true;
    // The client lists the encodings it speaks, the one it likes best first.
    const QJsonArray offered = params.value(QLatin1String("capabilities"))
                                   .toObject()
                                   .value(QLatin1String("general"))
                                   .toObject()
                                   .value(QLatin1String("positionEncodings"))
                                   .toArray();
    for (const QJsonValue& name : offered) {
        if (const auto unit = UnitNamed(name.toString())) {
            unit_ = *unit;
            break;
        }
    }
    const QJsonObject capabilities{
        {QStringLiteral("positionEncoding"), UnitName(unit_)},
        {QStringLiteral("textDocumentSync"),
         QJsonObject{
             {QStringLiteral("openClose"), true},
             {QStringLiteral("change"), kSyncIncremental},
             {QStringLiteral("save"), QJsonObject{{QStringLiteral("includeText"), false}}}}},
        {QStringLiteral("definitionProvider"), true},
        {QStringLiteral("referencesProvider"), true},
        {QStringLiteral("hoverProvider"), true},
        {QStringLiteral("documentSymbolProvider"), true},
        // A blank ends the word and separates the choice fields.
        {QStringLiteral("completionProvider"),
         QJsonObject{{QStringLiteral("triggerCharacters"), QJsonArray{QStringLiteral(" ")}}}},
    };
    return QJsonObject{
        {QStringLiteral("capabilities"), capabilities},
        {QStringLiteral("serverInfo"),
         QJsonObject{{QStringLiteral("name"), QStringLiteral("lanternwick-check")}}},
    };
}

LanguageServer::OpenFile* LanguageServer::fileOf(const QJsonObject& params, QString* uri) {
    const QString name = params.value(QLatin1String("textDocument"))
                             .toObject()
                             .value(QLatin1String("uri"))
                             .toString();
    if (uri) *uri = name;
    const auto it = files_.find(name);
    return it == files_.end() ? nullptr : &it.value();
}

void LanguageServer::open(const QJsonObject& params, std::vector<QJsonObject>& out) {
    const QJsonObject item = params.value(QLatin1String("textDocument")).toObject();
    const QString uri = item.value(QLatin1String("uri")).toString();
    const QUrl url(uri);
    if (!url.isLocalFile()) return;  // a file of no game folder
    OpenFile file;
    file.path = url.toLocalFile();
    file.document = LspDocument(item.value(QLatin1String("text")).toString(), unit_);
    file.version = item.value(QLatin1String("version")).toInt();
    analyse(uri, files_.insert(uri, file).value(), out);
}

void LanguageServer::change(const QJsonObject& params, std::vector<QJsonObject>& out) {
    QString uri;
    OpenFile* file = fileOf(params, &uri);
    if (!file) return;
    for (const QJsonValue& value : params.value(QLatin1String("contentChanges")).toArray()) {
        const QJsonObject change = value.toObject();
        const QString text = change.value(QLatin1String("text")).toString();
        if (!change.contains(QLatin1String("range"))) {
            file->document.replaceAll(text);
            continue;
        }
        const QJsonObject range = change.value(QLatin1String("range")).toObject();
        file->document.replace(PositionFromJson(range.value(QLatin1String("start"))),
                               PositionFromJson(range.value(QLatin1String("end"))), text);
    }
    file->version = params.value(QLatin1String("textDocument"))
                        .toObject()
                        .value(QLatin1String("version"))
                        .toInt(file->version);
    analyse(uri, *file, out);
}

void LanguageServer::save(const QJsonObject& params, std::vector<QJsonObject>& out) {
    QString uri;
    if (OpenFile* file = fileOf(params, &uri)) analyse(uri, *file, out);
}

void LanguageServer::close(const QJsonObject& params, std::vector<QJsonObject>& out) {
    QString uri;
    if (!fileOf(params, &uri)) return;
    files_.remove(uri);
    out.push_back(Notification(
        QStringLiteral("textDocument/publishDiagnostics"),
        {{QStringLiteral("uri"), uri}, {QStringLiteral("diagnostics"), QJsonArray()}}));
}

void LanguageServer::analyse(const QString& uri, OpenFile& file, std::vector<QJsonObject>& out) {
    // The encoding is the bytes' matter: the editor's text is already decoded.
    const QFileInfo onDisk(file.path);
    const qint64 size = onDisk.exists() ? onDisk.size() : -1;
    const qint64 modified = onDisk.exists() ? onDisk.lastModified().toMSecsSinceEpoch() : -1;
    if (size != file.diskSize || modified != file.diskModified) {
        file.diskSize = size;
        file.diskModified = modified;
        const std::optional<Model> saved = ReadModel(LocateScenario(file.path));
        file.diskEncoding = saved ? saved->encoding : std::nullopt;
    }
    auto model = std::make_shared<const Model>(
        ModelOfText(onDisk.path(), file.document.text(), file.diskEncoding));
    file.report = CheckModel(std::move(model), file.path, WithGraph::No, &widths_);

    const LspDocument& document = file.document;
    QJsonArray diagnostics;
    for (const Finding& f : file.report.findings) {
        const int line = f.line - 1;
        const LspPosition start =
            f.column > 0 ? document.position(line, f.column - 1) : LspPosition{line, 0};
        const int severity = f.severity == Finding::Severity::Error     ? kSeverityError
                             : f.severity == Finding::Severity::Warning ? kSeverityWarning
                                                                        : kSeverityInformation;
        diagnostics.append(QJsonObject{
            {QStringLiteral("range"), RangeJson(start, document.lineEnd(line))},
            {QStringLiteral("severity"), severity},
            {QStringLiteral("code"), f.code},
            {QStringLiteral("source"), QStringLiteral("lanternwick-check")},
            {QStringLiteral("message"), f.message},
        });
    }
    out.push_back(Notification(QStringLiteral("textDocument/publishDiagnostics"),
                               {{QStringLiteral("uri"), uri},
                                {QStringLiteral("version"), file.version},
                                {QStringLiteral("diagnostics"), diagnostics}}));
}

namespace {

// The place a request points at, as a line and an offset into its text.
struct Place {
    int line = 0;
    int index = 0;
};
Place PlaceOf(const LspDocument& document, const QJsonObject& params) {
    const LspPosition position = PositionFromJson(params.value(QLatin1String("position")));
    return {position.line, document.index(position.line, position.character)};
}

}  // namespace

QJsonValue LanguageServer::definition(const QJsonObject& params) {
    QString uri;
    const OpenFile& file = *fileOf(params, &uri);
    const Model& model = *file.report.model;
    const Place place = PlaceOf(file.document, params);
    const Spot spot = SpotAt(model, place.line, place.index);
    if (spot.kind != Spot::Kind::JumpTarget) return QJsonValue::Null;
    const int target = model.labelLine(spot.label);
    if (target < 0) return QJsonValue::Null;
    const TextSpan label{target, 0, static_cast<int>(model.at(target).line.text.size())};
    return Location(uri, file.document, label);
}

QJsonValue LanguageServer::references(const QJsonObject& params) {
    QString uri;
    const OpenFile& file = *fileOf(params, &uri);
    const Model& model = *file.report.model;
    const Place place = PlaceOf(file.document, params);
    const Spot spot = SpotAt(model, place.line, place.index);
    if (spot.kind != Spot::Kind::JumpTarget && spot.kind != Spot::Kind::Label) return QJsonArray();
    QJsonArray locations;
    const bool declaration = params.value(QLatin1String("context"))
                                 .toObject()
                                 .value(QLatin1String("includeDeclaration"))
                                 .toBool();
    const int label = model.labelLine(spot.label);
    if (declaration && label >= 0) {
        locations.append(Location(uri, file.document,
                                  {label, 0, static_cast<int>(model.at(label).line.text.size())}));
    }
    for (const TextSpan& span : JumpsTo(model, spot.label))
        locations.append(Location(uri, file.document, span));
    return locations;
}

QJsonValue LanguageServer::hover(const QJsonObject& params) {
    const OpenFile& file = *fileOf(params);
    const Model& model = *file.report.model;
    const Place place = PlaceOf(file.document, params);
    const Spot spot = SpotAt(model, place.line, place.index);
    QString text;
    if (spot.kind == Spot::Kind::CommandWord) {
        text = CommandHover(*spot.command);
    } else if (spot.kind == Spot::Kind::FileName) {
        const GameFolderDuringRequest folder(model.dir);
        FolderIndex files(model.dir);
        text = FileHover(files, spot);
    } else {
        return QJsonValue::Null;
    }
    return QJsonObject{
        {QStringLiteral("contents"),
         QJsonObject{{QStringLiteral("kind"), QStringLiteral("markdown")},
                     {QStringLiteral("value"), text}}},
        {QStringLiteral("range"), SpanRange(file.document, spot.span)},
    };
}

QJsonValue LanguageServer::completion(const QJsonObject& params) {
    const OpenFile& file = *fileOf(params);
    const Model& model = *file.report.model;
    const Place place = PlaceOf(file.document, params);
    const GameFolderDuringRequest folder(model.dir);
    FolderIndex files(model.dir);
    const CompletionList list =
        CompletionsAt(model, files, place.line, place.index, file.document.line(place.line));
    const QJsonObject range = SpanRange(file.document, list.replace);
    QJsonArray items;
    for (const Completion& c : list.items) {
        const int kind = c.kind == Completion::Kind::Command ? kCompletionKeyword
                         : c.kind == Completion::Kind::File  ? kCompletionFile
                                                             : kCompletionReference;
        QJsonObject item{
            {QStringLiteral("label"), c.label},
            {QStringLiteral("kind"), kind},
            {QStringLiteral("textEdit"),
             QJsonObject{{QStringLiteral("range"), range}, {QStringLiteral("newText"), c.insert}}},
            // What is typed is matched against the whole replacement.
            {QStringLiteral("filterText"), c.insert},
        };
        if (!c.detail.isEmpty()) item.insert(QStringLiteral("detail"), c.detail);
        items.append(item);
    }
    return QJsonObject{{QStringLiteral("isIncomplete"), false}, {QStringLiteral("items"), items}};
}

QJsonValue LanguageServer::symbols(const QJsonObject& params) {
    const OpenFile& file = *fileOf(params);
    QJsonArray symbols;
    for (const LabelSymbol& symbol : LabelSymbols(*file.report.model)) {
        QJsonObject item{
            {QStringLiteral("name"), symbol.name},
            {QStringLiteral("kind"), kSymbolFunction},
            {QStringLiteral("range"), RangeJson(file.document.position(symbol.label.line, 0),
                                                file.document.lineEnd(symbol.lastLine))},
            {QStringLiteral("selectionRange"), SpanRange(file.document, symbol.label)},
        };
        if (!symbol.firstMessage.isEmpty())
            item.insert(QStringLiteral("detail"), symbol.firstMessage);
        symbols.append(item);
    }
    return symbols;
}

int RunLanguageServer() {
    LanguageServer server;
    LspReader reader(stdin);
    for (;;) {
        QByteArray body;
        const LspReader::Result result = reader.next(body);
        if (result == LspReader::Result::End) return 1;  // no exit: the client went away
        if (result == LspReader::Result::BadHeader) {
            WriteLspMessage(stdout, LanguageServer::parseError(
                                        QStringLiteral("a header without Content-Length")));
            continue;
        }
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(body, &error);
        std::vector<QJsonObject> answers;
        if (error.error != QJsonParseError::NoError) {
            answers.push_back(LanguageServer::parseError(error.errorString()));
        } else {
            // An array is a batch, which the protocol does not use: refused as one.
            answers = server.handle(document.isObject() ? QJsonValue(document.object())
                                                        : QJsonValue(document.array()));
        }
        for (const QJsonObject& answer : answers)
            WriteLspMessage(stdout, answer);
        if (const auto status = server.exitStatus()) return *status;
    }
}
