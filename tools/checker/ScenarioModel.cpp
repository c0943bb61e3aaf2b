#include "ScenarioModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"
#include "scenario/ScenarioError.h"

namespace {

// A label line is "_" and five characters; the end line is "_" alone.
bool LooksLikeLabel(const QString& text) {
    return text.size() == 6 && text.startsWith(QLatin1Char('_'));
}

// Lines split as the player's reader splits them: at CR LF, LF or CR.
QStringList SplitLines(const QString& text) {
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normal.split(QLatin1Char('\n'));
}

// An editor that saves UTF-8 leaves a file that is valid UTF-8 and has bytes
// above 127; Shift-JIS text practically never is.
std::optional<EncodingFault> Utf8Text(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    const QStringList lines = SplitLines(text);
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString& line = lines[n];
        for (qsizetype c = 0; c < line.size(); ++c) {
            if (line.at(c).unicode() >= 128)
                return EncodingFault{static_cast<int>(n + 1), static_cast<int>(c + 1), true, line};
        }
    }
    return std::nullopt;
}

}  // namespace

ScenarioPaths LocateScenario(const QString& given) {
    const QFileInfo info(given);
    if (info.isDir()) {
        const QString file = given == QLatin1String(".")
                                 ? kScenarioFileName
                                 : QDir::cleanPath(given + QLatin1Char('/') + kScenarioFileName);
        return {file, given};
    }
    return {given, info.path()};
}

namespace {

// Takes lines in file order, as the reader gives them.
class ModelBuilder {
  public:
    explicit ModelBuilder(const QString& dir) { model_.dir = dir; }

    void add(const QString& text, bool cut) {
        ModelLine line;
        line.line = ScenarioLine{++lineNumber_, text, cut};
        line.command = FindCommand(line.line);
        const int index = model_.size();
        if (line.command) {
            line.kind = LineKind::Command;
        } else if (text == kEndLine) {
            line.kind = LineKind::End;
            if (model_.firstEnd < 0) model_.firstEnd = index;
        } else if (LooksLikeLabel(text)) {
            line.kind = LineKind::Label;
            if (!model_.labels.contains(text)) model_.labels.insert(text, index);
        } else if (text.startsWith(QLatin1Char('\''))) {
            line.kind = LineKind::Comment;
        }
        // The reader turns each byte it cannot take as Shift-JIS into U+FFFD.
        const qsizetype broken = text.indexOf(QChar(QChar::ReplacementCharacter));
        if (broken >= 0 && !model_.encoding) {
            model_.encoding = EncodingFault{lineNumber_, static_cast<int>(broken + 1), false, text};
        }
        model_.lines.push_back(std::move(line));
    }

    Model take() { return std::move(model_); }

  private:
    Model model_;
    int lineNumber_ = 0;
};

}  // namespace

std::optional<Model> ReadModel(const ScenarioPaths& paths) {
    // The reader opens only a file inside the game folder, as the player does.
    SetGameFolder(paths.dir);
    const int16_t number = FreeFileNumber();
    const bool opened = !QFileInfo(paths.file).isDir() && OpenForInput(number, paths.file);
    SetGameFolder(QString());
    if (!opened) return std::nullopt;
    ModelBuilder builder(paths.dir);
    QString text;
    while (ReadLine(number, text))
        builder.add(text, LastLineWasCut(number));
    CloseFile(number);
    Model model = builder.take();
    if (const auto utf8 = Utf8Text(paths.file)) model.encoding = utf8;
    return model;
}

Model ModelOfText(const QString& dir, const QString& text,
                  const std::optional<EncodingFault>& onDisk) {
    ModelBuilder builder(dir);
    QStringList lines = SplitLines(text);
    // A terminator ends the last line; it does not begin another.
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    for (const QString& line : lines) {
        // Saved in Shift-JIS, a character takes at most two bytes: only a line
        // that long can pass the bound the reader keeps.
        if (line.size() * 2 <= kLongestLineBytes) {
            builder.add(line, false);
            continue;
        }
        const QByteArray bytes = EncodeAnsi(line);
        if (bytes.size() <= kLongestLineBytes) {
            builder.add(line, false);
        } else {
            builder.add(DecodeAnsi(QByteArrayView(bytes).first(kLongestLineBytes)), true);
        }
    }
    Model model = builder.take();
    model.encoding = onDisk;
    return model;
}
