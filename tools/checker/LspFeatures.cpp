#include "LspFeatures.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

#include "scenario/ArgumentRules.h"

namespace {

constexpr int kWordColumns = 8;
constexpr int kArgumentIndex = 9;    // column 10
constexpr int kCommaTextIndex = 11;  // column 12
constexpr int kLabelDigits = 5;

Spot SpotOf(Spot::Kind kind, const TextSpan& span) {
    Spot spot;
    spot.kind = kind;
    spot.span = span;
    return spot;
}

bool Within(int index, int start, int end) { return index >= start && index <= end; }

// The span of `text` from `start` up to `end` without the blanks that pad it.
TextSpan Trimmed(int line, const QString& text, int start, int end) {
    end = std::min(end, static_cast<int>(text.size()));
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return {line, start, std::max(start, end)};
}

// The jumps a line holds: its `next` argument or its `nextbot` fields.
std::vector<Spot> JumpsOf(const ModelLine& line, int i) {
    std::vector<Spot> out;
    const QString& text = line.line.text;
    if (line.has(Role::Jump)) {
        if (const auto target = NextTarget(line.line.restOfLine()); target && *target != 0) {
            Spot spot =
                SpotOf(Spot::Kind::JumpTarget, Trimmed(i, text, kArgumentIndex, text.size()));
            spot.label = *target;
            out.push_back(spot);
        }
    } else if (line.has(Role::ChoiceTargets)) {
        const auto targets = ChoiceTargetFields(line.line);
        if (!targets) return out;
        for (size_t k = 0; k < line.command->fields.size() && k < targets->size(); ++k) {
            const Field& field = line.command->fields[k];
            if ((*targets)[k] == 0) continue;
            Spot spot = SpotOf(Spot::Kind::JumpTarget,
                               Trimmed(i, text, field.first - 1, field.first - 1 + field.width));
            spot.label = (*targets)[k];
            out.push_back(spot);
        }
    }
    return out;
}

Spot FileSpot(int i, const QString& text, int start, int end, const QString& name, bool wave) {
    Spot spot = SpotOf(Spot::Kind::FileName, Trimmed(i, text, start, end));
    spot.file = name;
    spot.wave = wave;
    return spot;
}

// The file names a line holds, each with its place.
std::vector<Spot> FilesOf(const ModelLine& line, int i) {
    std::vector<Spot> out;
    if (!line.command) return out;
    const QString& text = line.line.text;
    const int size = static_cast<int>(text.size());
    const QString rest = line.line.restOfLine();
    switch (line.command->role) {
        case Role::Picture:
            out.push_back(FileSpot(i, text, kArgumentIndex, size, CgFileName(line.line), false));
            break;
        case Role::Frames:
            if (const auto names = AnimeFrameNames(rest)) {
                for (qsizetype k = 0; k < names->size(); ++k) {
                    const int start = kArgumentIndex + static_cast<int>(k) * kAnimeFieldWidth;
                    out.push_back(
                        FileSpot(i, text, start, start + kAnimeFieldWidth, names->at(k), false));
                }
            }
            break;
        case Role::Strip:
            if (const auto strip = StripAnimationArguments(line.line)) {
                const Field& first = line.command->fields[0];
                const Field& extra = line.command->fields[3];
                out.push_back(FileSpot(i, text, first.first - 1, first.first - 1 + first.width,
                                       strip->stripFile, false));
                if (strip->extraFrame) {
                    out.push_back(FileSpot(i, text, extra.first - 1, extra.first - 1 + extra.width,
                                           strip->extraFile, false));
                }
            }
            break;
        case Role::ButtonPicture:
            if (const auto fields = ParseCommaForm(line.line)) {
                const int comma = static_cast<int>(text.indexOf(QLatin1Char(','), kCommaTextIndex));
                out.push_back(
                    FileSpot(i, text, kCommaTextIndex, comma, FileNameOf(fields->text), false));
            }
            break;
        case Role::LoopingMusic:
            if (rest == QLatin1String("v")) break;
            [[fallthrough]];
        case Role::Voice:
        case Role::OneShotMusic:
            if (!rest.isEmpty()) out.push_back(FileSpot(i, text, kArgumentIndex, size, rest, true));
            break;
        default: break;
    }
    return out;
}

QString ArgumentText(const Command& command) {
    switch (command.argument) {
        case Argument::None: return QStringLiteral("なし");
        case Argument::RestOfLine: return QStringLiteral("10 文字目から行の終わりまで");
        case Argument::CommaForm:
            return QStringLiteral(
                       "10 文字目にボタンの番号（16 進 1 桁）、12 文字目から最初の"
                       "「,」の前まで%1、「,」の後がツールチップ")
                .arg(command.role == Role::ButtonPicture ? QStringLiteral("絵のファイル名")
                                                         : QStringLiteral("ボタンの文字"));
        case Argument::LastCharacter: return QStringLiteral("行の最後の 1 文字");
        case Argument::FixedColumns: {
            QStringList fields;
            for (const Field& field : command.fields) {
                fields << QStringLiteral("%1: %2〜%3 文字目%4")
                              .arg(QString::fromUtf16(field.name))
                              .arg(field.first)
                              .arg(field.first + field.width - 1)
                              .arg(field.numeric ? QStringLiteral("（数）") : QString());
            }
            return fields.isEmpty() ? QStringLiteral("なし") : fields.join(QStringLiteral("、"));
        }
    }
    return {};
}

QString AfterwardsText(Afterwards afterwards) {
    switch (afterwards) {
        case Afterwards::GoesOn: return QStringLiteral("待たずに次の行へ進む");
        case Afterwards::Stops: return QStringLiteral("ここで止まって待つ");
        case Afterwards::Returns: return QStringLiteral("読むのをやめて組み込みルーチンに任せる");
    }
    return {};
}

// The game folder's files as the scenario names them, relative to it.
QStringList GameFiles(const QString& dir) {
    constexpr int kMostFiles = 2000;
    QStringList names;
    const QDir base(dir);
    QDirIterator it(dir, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext() && names.size() < kMostFiles) {
        const QString path = it.next();
        if (IsGameFile(path, dir)) names << base.relativeFilePath(path);
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

}  // namespace

Spot SpotAt(const Model& model, int line, int index) {
    if (line < 0 || line >= model.size()) return {};
    const ModelLine& at = model.at(line);
    if (at.kind == LineKind::Label) {
        Spot spot = SpotOf(Spot::Kind::Label, {line, 0, static_cast<int>(at.line.text.size())});
        spot.label = at.line.text.mid(1).toInt();
        return spot;
    }
    if (!at.command) return {};
    if (index < kWordColumns) {
        Spot spot = SpotOf(Spot::Kind::CommandWord, Trimmed(line, at.line.text, 0, kWordColumns));
        spot.command = at.command;
        return spot;
    }
    for (const Spot& spot : JumpsOf(at, line)) {
        if (Within(index, spot.span.start, spot.span.end)) return spot;
    }
    for (const Spot& spot : FilesOf(at, line)) {
        if (Within(index, spot.span.start, spot.span.end)) return spot;
    }
    return {};
}

std::vector<TextSpan> JumpsTo(const Model& model, int n) {
    std::vector<TextSpan> out;
    for (int i = 0; i < model.size(); ++i) {
        for (const Spot& spot : JumpsOf(model.at(i), i)) {
            if (spot.label == n) out.push_back(spot.span);
        }
    }
    return out;
}

std::vector<LabelSymbol> LabelSymbols(const Model& model) {
    std::vector<LabelSymbol> out;
    bool open = false;  // the last symbol's scene has not ended yet
    for (int i = 0; i < model.size(); ++i) {
        const ModelLine& line = model.at(i);
        if (line.kind == LineKind::Label || line.kind == LineKind::End) {
            if (open) out.back().lastLine = i - 1;
            open = line.kind == LineKind::Label;
            if (open) {
                out.push_back({line.line.text,
                               QString(),
                               {i, 0, static_cast<int>(line.line.text.size())},
                               i});
            }
            continue;
        }
        if (!open || !out.back().firstMessage.isEmpty() || !line.has(Role::Message)) continue;
        out.back().firstMessage = line.line.restOfLine();
    }
    if (open) out.back().lastLine = model.size() - 1;
    return out;
}

QString CommandHover(const Command& command) {
    return QStringLiteral("**%1** %2\n\n- 引数: %3\n- この後: %4")
        .arg(CommandName(command), CommandPurpose(command), ArgumentText(command),
             AfterwardsText(command.afterwards));
}

QString FileHover(FolderIndex& files, const Spot& spot) {
    QString resolved;
    const FileMatch match = files.find(spot.file, &resolved);
    const QString name = QStringLiteral("`%1`").arg(spot.file);
    if (match == FileMatch::Missing) {
        return QStringLiteral(
                   "%1: ゲームのフォルダにありません（フォルダの外のもの、ファイル"
                   "でないものも、ないのと同じです）。")
            .arg(name);
    }
    QString found = QStringLiteral("%1 → `%2`").arg(name, QFileInfo(resolved).fileName());
    if (match == FileMatch::OtherCase) found += QStringLiteral("（大文字と小文字を無視して）");
    if (spot.wave) {
        const auto format = files.waveFormat(resolved);
        if (!format) return found + QStringLiteral(": プレイヤーが鳴らせる WAV ではありません。");
        return found + QStringLiteral(": WAV、%1 Hz、%2 チャンネル、%3 秒")
                           .arg(format->rate)
                           .arg(format->channels)
                           .arg(static_cast<double>(format->frames) / format->rate, 0, 'f', 2);
    }
    const auto size = files.pictureSize(resolved);
    if (!size)
        return found + QStringLiteral(": 絵として読めません（JPEG、BMP、GIF、PNG が使えます）。");
    return found + QStringLiteral(": %1x%2 の絵").arg(size->width).arg(size->height);
}

CompletionList CompletionsAt(const Model& model, FolderIndex& files, int line, int index,
                             const QString& lineText) {
    CompletionList list;
    const QString before = lineText.left(index);
    const int size = static_cast<int>(lineText.size());
    list.replace = {line, 0, index};
    if (index <= kWordColumns && !before.contains(QLatin1Char(' ')) &&
        !before.startsWith(QLatin1Char('_')) && !before.startsWith(QLatin1Char('\''))) {
        for (const Command& command : CommandTable()) {
            const QString name = CommandName(command);
            if (!name.startsWith(before, Qt::CaseInsensitive)) continue;
            list.items.push_back({name, QString::fromLatin1(command.word) + QLatin1Char(' '),
                                  CommandPurpose(command), Completion::Kind::Command});
        }
        return list;
    }
    const Command* command = FindCommand(ScenarioLine{line + 1, lineText});
    if (!command || index < kArgumentIndex) return list;

    auto labels = [&](bool padded) {
        for (const LabelSymbol& symbol : LabelSymbols(model)) {
            // A duplicate is never landed on, a label after the end line never found.
            if (model.labels.value(symbol.name) != symbol.label.line) continue;
            if (model.firstEnd >= 0 && symbol.label.line > model.firstEnd) continue;
            const QString digits = symbol.name.mid(1);
            const QString number = QString::number(digits.toInt());
            list.items.push_back(
                {number, padded ? digits : number, symbol.firstMessage, Completion::Kind::Label});
        }
    };
    auto fileNames = [&](bool wave, int width) {
        for (const QString& name : GameFiles(model.dir)) {
            QString resolved;
            files.find(name, &resolved);
            // A sound is opened only by a name ending in a lower-case "v".
            const bool fits = wave ? name.endsWith(QLatin1Char('v')) && files.playableWave(resolved)
                                   : files.pictureSize(resolved).has_value();
            if (!fits || name.contains(QLatin1Char(' '))) continue;
            list.items.push_back({name, width > 0 ? name.leftJustified(width) : name, QString(),
                                  Completion::Kind::File});
        }
    };
    switch (command->role) {
        case Role::Jump:
            list.replace = {line, kArgumentIndex, size};
            labels(false);
            break;
        case Role::ChoiceTargets:
            for (const Field& field : command->fields) {
                const int start = field.first - 1;
                if (!Within(index, start, start + field.width)) continue;
                list.replace = {line, start, std::min(size, start + kLabelDigits)};
                labels(true);
                break;
            }
            break;
        case Role::Picture:
            list.replace = {line, kArgumentIndex, size};
            fileNames(false, 0);
            break;
        case Role::Frames: {
            const int start =
                kArgumentIndex + (index - kArgumentIndex) / kAnimeFieldWidth * kAnimeFieldWidth;
            list.replace = {line, start, std::min(size, start + kAnimeFieldWidth)};
            fileNames(false, kAnimeFieldWidth);
            break;
        }
        case Role::Strip: {
            const Field& first = command->fields[0];
            const Field& extra = command->fields[3];
            for (const Field* field : {&first, &extra}) {
                const int start = field->first - 1;
                if (!Within(index, start, start + field->width)) continue;
                list.replace = {line, start, std::min(size, start + field->width)};
                fileNames(false, field == &first ? field->width : 0);
            }
            break;
        }
        case Role::ButtonPicture: {
            const qsizetype comma = lineText.indexOf(QLatin1Char(','), kCommaTextIndex);
            if (index < kCommaTextIndex || (comma >= 0 && index > comma)) break;
            list.replace = {line, kCommaTextIndex, comma >= 0 ? static_cast<int>(comma) : size};
            fileNames(false, 0);
            break;
        }
        case Role::Voice:
        case Role::LoopingMusic:
        case Role::OneShotMusic:
            list.replace = {line, kArgumentIndex, size};
            fileNames(true, 0);
            break;
        default: break;
    }
    return list;
}

QString CommandPurpose(const Command& command) {
    // By the command's word: the table says how a command reads its line, this
    // says what it does to the game.
    static const QHash<QString, QString> purposes = {
        {"anime",
         "12 文字ずつ並べたファイル名の絵（1〜15 コマ）を、100 ミリ秒ごとに CG "
         "ウィンドウへ映すアニメーション。"},
        {"cg", "CG ウィンドウに絵を出す。行に「.」がなければ名前に「.JPG」を足す。"},
        {"keywait", "「話を進める」が押されるのを待つ。"},
        {"msg", "メッセージウィンドウに 1 行足す（3 行を超えると一番古い行が消える）。"},
        {"msgcls", "メッセージウィンドウを消す。"},
        {"msgtop", "メッセージウィンドウを消して、文を最初の行に書く。"},
        {"next", "ラベルへ飛ぶ。0 は飛ばずに次の行へ、-1 はシナリオの終わり。"},
        {"nextbot", "ボタン 0〜9 が飛ぶラベル（5 文字ずつ 10 個、0 は botwait の次の行へ）。"},
        {"botcls", "11 個のボタンをすべて隠し、文字、ツールチップ、絵を消す。"},
        {"bottxt2", "ボタンに文字とツールチップを付けて出す。"},
        {"botpic", "ボタンに絵とツールチップを付けて出す。"},
        {"botwait", "ボタンが選ばれるのを待つ。"},
        {"botrpg", "止まる。ここからは「最初から遊ぶ」でしか先へ進めない。"},
        {"pg", "組み込みルーチン（render、rtb1、rtb2、rtb3）に任せる。"},
        {"pgnext", "組み込みルーチンを動かしてから、次の行へ進む。"},
        {"anime3",
         "480x360 のコマを縦に並べた絵から、最後のコマまで映すアニメーション。"
         "最後のコマだけ別の絵にもできる。"},
        {"say", "声を鳴らし、終わるまで待つ。音楽が開いている間は鳴らない。"},
        {"cdbgm", "受け付けるだけで、何もしない。"},
        {"bgm", "音楽を繰り返し鳴らす。「v」は鳴っている音楽を閉じる。"},
        {"music", "音楽を 1 回鳴らす。繰り返しの音楽は止めて、後で続きから鳴らす。"},
        {"sysmode", "行の最後の文字で表示モードを決め、ボタンを並べ直す。"},
        {"circle", "CG ウィンドウに円を重ねる（出すか、中心の X、Y、半径）。"},
    };
    return purposes.value(CommandName(command));
}
