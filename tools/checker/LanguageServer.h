#pragma once

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>
#include <vector>

#include "Columns.h"
#include "LspDocument.h"
#include "ScenarioChecker.h"
#include "TextWidths.h"

// The checker as a language server (LSP 3.17) for scenario files open in an
// editor: the command line's findings as diagnostics at every change, and what
// the checker's model knows about jumps, labels, commands and files.
//
// One message in, the messages to send back out: the transport (standard input
// and output) is RunLanguageServer's, so tests and benchmarks drive the server
// directly.
class LanguageServer {
  public:
    std::vector<QJsonObject> handle(const QJsonValue& message);

    // The answer to a message body that is no JSON.
    static QJsonObject parseError(const QString& why);

    // After `exit`: the status to end with (0 when `shutdown` came first).
    std::optional<int> exitStatus() const { return exitStatus_; }

  private:
    struct OpenFile {
        QString path;
        LspDocument document;
        int version = 0;
        // What the bytes on disk say of the encoding, read again when the file changes.
        std::optional<EncodingFault> diskEncoding;
        qint64 diskSize = -1;
        qint64 diskModified = -1;
        CheckReport report;
    };

    QJsonValue initialize(const QJsonObject& params);
    void open(const QJsonObject& params, std::vector<QJsonObject>& out);
    void change(const QJsonObject& params, std::vector<QJsonObject>& out);
    void save(const QJsonObject& params, std::vector<QJsonObject>& out);
    void close(const QJsonObject& params, std::vector<QJsonObject>& out);
    void analyse(const QString& uri, OpenFile& file, std::vector<QJsonObject>& out);

    // The requests on an open document; nothing when `params` names none.
    OpenFile* fileOf(const QJsonObject& params, QString* uri = nullptr);
    QJsonValue definition(const QJsonObject& params);
    QJsonValue references(const QJsonObject& params);
    QJsonValue hover(const QJsonObject& params);
    QJsonValue completion(const QJsonObject& params);
    QJsonValue symbols(const QJsonObject& params);

    ColumnUnit unit_ = ColumnUnit::Utf16;
    bool initialized_ = false;
    bool shutDown_ = false;
    std::optional<int> exitStatus_;
    QHash<QString, OpenFile> files_;  // by URI
    // Kept from one check to the next: a change leaves most lines' texts as they were.
    TextWidths widths_;
};

// Serves standard input and output until `exit` or the end of input; gives the
// exit status.
int RunLanguageServer();
