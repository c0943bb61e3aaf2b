#include "ScenarioChecker.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QtMath>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/FileLookup.h"
#include "platform/PictureInfo.h"
#include "platform/TextFile.h"
#include "platform/widgets/Label.h"
#include "scenario/ArgumentRules.h"
#include "scenario/CommandTable.h"
#include "scenario/RoutineCommands.h"
#include "scenario/RunScenario.h"
#include "scenario/ScenarioError.h"
#include "scenario/StageLayout.h"
#include "sound/MediaControl.h"

namespace {

enum class LineKind { Command, Comment, Label, End, Unsupported };

struct ModelLine {
    ScenarioLine line;
    LineKind kind = LineKind::Unsupported;
    const Command* command = nullptr;

    bool is(const char* word) const {
        return command && QLatin1String(command->word) == QLatin1String(word);
    }
};

// A label line is "_" and five characters; the end line is "_" alone.
bool LooksLikeLabel(const QString& text) {
    return text.size() == 6 && text.startsWith(QLatin1Char('_'));
}

// The file, taken apart once.
struct Model {
    QString dir;
    std::vector<ModelLine> lines;
    int firstEnd = -1;           // index of the first end line, -1 when there is none
    QHash<QString, int> labels;  // label line text -> index of its first occurrence

    int size() const { return static_cast<int>(lines.size()); }

    // The index of the label line a jump to `n` stops at (the first in the file), or -1.
    int labelLine(int n) const { return labels.value(LabelLineText(n), -1); }
};

std::optional<Model> ReadModel(const QString& dir) {
    const int16_t number = FreeFileNumber();
    if (!OpenForInput(number, QDir(dir).filePath(kScenarioFileName))) return std::nullopt;
    Model model;
    model.dir = dir;
    QString text;
    int lineNumber = 0;
    while (ReadLine(number, text)) {
        ModelLine line;
        line.line = ScenarioLine{++lineNumber, text};
        line.command = FindCommand(line.line);
        if (line.command) {
            line.kind = LineKind::Command;
        } else if (text == kEndLine) {
            line.kind = LineKind::End;
            if (model.firstEnd < 0) model.firstEnd = static_cast<int>(model.lines.size());
        } else if (LooksLikeLabel(text)) {
            line.kind = LineKind::Label;
            if (!model.labels.contains(text))
                model.labels.insert(text, static_cast<int>(model.lines.size()));
        } else if (text.startsWith(QLatin1Char('\''))) {
            line.kind = LineKind::Comment;
        }
        model.lines.push_back(line);
    }
    CloseFile(number);
    return model;
}

class Checker {
  public:
    explicit Checker(const Model& model) : model_(model) {}

    void run() {
        checkLabels();
        for (int i = 0; i < model_.size(); ++i)
            checkLine(i);
        checkFlow();
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
    }

    QList<Finding> findings() const { return findings_; }

  private:
    const ModelLine& at(int i) const { return model_.lines[static_cast<size_t>(i)]; }

    void error(int i, const QString& message) { add(i, Finding::Severity::Error, message); }
    void warning(int i, const QString& message) { add(i, Finding::Severity::Warning, message); }
    void add(int i, Finding::Severity severity, const QString& message) {
        const int line = i < model_.size() ? at(i).line.number : model_.size();
        for (const Finding& f : findings_) {
            if (f.line == line && f.message == message) return;
        }
        findings_.append({line, severity, message});
    }

    // ---- labels ------------------------------------------------------------

    void checkLabels() {
        if (model_.firstEnd < 0) {
            error(std::max(model_.size() - 1, 0),
                  QStringLiteral(
                      "終了行「_」がありません。ファイルの最後の行は「_」だけにしてください。"));
        }
        for (int i = 0; i < model_.size(); ++i) {
            if (at(i).kind != LineKind::Label) continue;
            const QString& text = at(i).line.text;
            const int first = model_.labels.value(text);
            if (first != i) {
                warning(i, QStringLiteral(
                               "ラベル「%1」は %2 行目にもあります。飛ぶと必ず先の方に着くので、"
                               "この行には着きません。")
                               .arg(text)
                               .arg(at(first).line.number));
            }
            if (model_.firstEnd >= 0 && i > model_.firstEnd) {
                error(i, QStringLiteral(
                             "ラベル「%1」が終了行「_」（%2 行目）の後にあります。ここへ飛ぶと、"
                             "探す途中で「%3」になります。")
                             .arg(text)
                             .arg(at(model_.firstEnd).line.number)
                             .arg(QString::fromUtf16(kLabelSearchErrorMessage)));
            }
        }
    }

    // A jump to label `n` from line i (`what` names the field for the message).
    void checkTarget(int i, int n, const QString& what) {
        if (n == 0 || n == -1) return;
        const QString label = LabelLineText(n);
        const int target = model_.labelLine(n);
        if (target < 0) {
            error(i, QStringLiteral("%1のラベル「%2」がありません（探すと「%3」になります）。")
                         .arg(what, label, QString::fromUtf16(kLabelSearchErrorMessage)));
        } else if (model_.firstEnd >= 0 && target > model_.firstEnd) {
            error(
                i,
                QStringLiteral(
                    "%1のラベル「%2」は終了行「_」（%3 行目）の後にしかないので、探す途中で「%4」に"
                    "なります。")
                    .arg(what, label)
                    .arg(at(model_.firstEnd).line.number)
                    .arg(QString::fromUtf16(kLabelSearchErrorMessage)));
        }
    }

    // ---- one line ----------------------------------------------------------

    void checkLine(int i) {
        const ModelLine& line = at(i);
        switch (line.kind) {
            case LineKind::Unsupported: reportUnsupported(i); return;
            case LineKind::Command: checkCommand(i); return;
            default: return;
        }
    }

    void reportUnsupported(int i) {
        const QString& text = at(i).line.text;
        const QString shown =
            QStringLiteral("プレイヤーは「'%1' はｻﾎﾟｰﾄしていません!」と表示します。").arg(text);
        if (text.trimmed().isEmpty()) {
            error(i, (text.isEmpty() ? QStringLiteral("空行です。")
                                     : QStringLiteral("空白だけの行です。")) +
                         shown + QStringLiteral("行を消すか、コメントなら「'」で始めてください。"));
            return;
        }
        if (text.startsWith(QLatin1Char('_'))) {
            error(
                i,
                QStringLiteral(
                    "「_」で始まる行ですが、ラベル（「_」と数字 5 文字）でも終了行（「_」だけ）でも"
                    "ありません。") +
                    shown);
            return;
        }
        const QString word = text.section(QLatin1Char(' '), 0, 0).toLower();
        for (const Command& command : CommandTable()) {
            if (QString::fromLatin1(command.word).trimmed() == word) {
                error(
                    i,
                    QStringLiteral(
                        "命令「%1」は 8 文字目まで空白で埋め、引数は 10 文字目から書いてください。")
                            .arg(word) +
                        shown);
                return;
            }
        }
        error(i,
              QStringLiteral("「%1」という命令はありません。").arg(text.left(8).trimmed()) + shown);
    }

    void checkCommand(int i) {
        const ModelLine& line = at(i);
        const ScenarioLine& sl = line.line;
        const QString rest = sl.restOfLine();
        if (line.is("next    ")) {
            const Checked<int16_t> target = NextTarget(rest);
            if (!target) return error(i, target.problem);
            checkTarget(i, *target, QStringLiteral("行き先"));
        } else if (line.is("nextbot ")) {
            const auto targets = ChoiceTargetFields(sl);
            if (!targets) return error(i, targets.problem);
            for (int k = 0; k < kChoiceTargetFields; ++k) {
                checkTarget(i, (*targets)[static_cast<size_t>(k)],
                            QStringLiteral("%1 番目の行き先").arg(k + 1));
            }
        } else if (line.is("bottxt2 ") || line.is("botpic  ")) {
            checkButtonLine(i);
        } else if (line.is("cg      ")) {
            checkPicture(i, CgFileName(sl), PictureRule::Scene);
        } else if (line.is("anime   ")) {
            const Checked<QStringList> names = AnimeFrameNames(rest);
            if (!names) return error(i, names.problem);
            const int leftOver = static_cast<int>(rest.size()) % kAnimeFieldWidth;
            if (leftOver != 0) {
                warning(
                    i, QStringLiteral(
                           "最後の %1 文字はファイル名の欄（12 文字）に足りないので、そのコマは再生"
                           "されません。名前を空白で 12 文字にそろえてください。")
                           .arg(leftOver));
            }
            for (const QString& name : *names)
                checkPicture(i, name, PictureRule::Scene);
        } else if (line.is("anime3  ")) {
            checkStrip(i);
        } else if (line.is("circle  ")) {
            const auto params = CircleArguments(sl);
            if (!params) error(i, params.problem);
        } else if (line.is("pg      ") || line.is("pgnext  ")) {
            const QString name = rest.toLower();
            if (!IsBuiltinRoutine(name)) {
                error(i,
                      QStringLiteral(
                          "組み込みルーチン「%1」はありません（render、rtb1、rtb2、rtb3 のどれか。"
                          "後ろの空白も名前に入ります）。プレイヤーは「%1:PG命令の動作不正！"
                          "強制終了します。」と表示して終わります。")
                          .arg(name));
            }
        } else if (line.is("say     ")) {
            checkWave(i, rest, true);
        } else if (line.is("bgm     ") && rest == QLatin1String("v")) {
            // The way to silence: the running music is closed, and "v", which is no
            // file, opens nothing. A voice can be heard only with no music open.
        } else if (line.is("bgm     ") || line.is("music   ")) {
            checkWave(i, rest, false);
        } else if (line.is("msg     ") || line.is("msgtop  ")) {
            checkMessageWidth(i, rest);
        }
    }

    void checkButtonLine(int i) {
        const ModelLine& line = at(i);
        const std::optional<CommaFields> fields = ParseCommaForm(line.line);
        if (!fields) return error(i, MissingCommaProblem());
        const char* word = line.is("botpic  ") ? "botpic" : "bottxt2";
        const Checked<int> index = ButtonIndex(fields->index, word);
        if (!index) return error(i, index.problem);
        if (line.is("botpic  ")) checkPicture(i, FileNameOf(fields->text), PictureRule::AnySize);
    }

    void checkStrip(int i) {
        const Checked<StripAnimation> strip = StripAnimationArguments(at(i).line);
        if (!strip) return error(i, strip.problem);
        if (const auto size = checkPicture(i, strip->stripFile, PictureRule::AnySize)) {
            if (size->width != kCgWidth || size->height % kStripFrameHeight != 0) {
                warning(
                    i, QStringLiteral(
                           "「%1」は %2x%3 です。コマ（480x360）を縦に並べた大きさにしてください。")
                           .arg(strip->stripFile)
                           .arg(size->width)
                           .arg(size->height));
            }
            if (const auto tooShort = StripTooShort(*strip, size->height)) error(i, *tooShort);
        }
        if (strip->extraFrame) checkPicture(i, strip->extraFile, PictureRule::StripFrame);
    }

    enum class PictureRule { Scene, StripFrame, AnySize };

    // Whether the picture exists (in this case) and is one; its size when it is.
    std::optional<PictureSize> checkPicture(int i, const QString& name, PictureRule rule) {
        const std::optional<QString> path = checkFile(i, name, QStringLiteral("絵"));
        if (!path) return std::nullopt;
        const std::optional<PictureSize> size = ReadPictureSize(*path);
        if (!size) {
            error(i,
                  QStringLiteral("「%1」は絵として読めません（JPEG、BMP、GIF、PNG が使えます）。")
                      .arg(name));
            return std::nullopt;
        }
        const int height = rule == PictureRule::StripFrame ? kStripFrameHeight : kCgHeight;
        if (rule != PictureRule::AnySize && (size->width != kCgWidth || size->height != height)) {
            warning(i,
                    QStringLiteral("絵「%1」は %2x%3 です。この命令の絵は %4x%5 で描いてください。")
                        .arg(name)
                        .arg(size->width)
                        .arg(size->height)
                        .arg(kCgWidth)
                        .arg(height));
        }
        return size;
    }

    // The path of a file the scenario names, or nothing after reporting it missing.
    std::optional<QString> checkFile(int i, const QString& name, const QString& kind) {
        QString resolved;
        const FileMatch match = FindFile(QDir(model_.dir).filePath(name), &resolved);
        if (name.isEmpty() || match == FileMatch::Missing) {
            error(i, QStringLiteral("%1のファイル「%2」がありません。").arg(kind, name));
            return std::nullopt;
        }
        if (match == FileMatch::OtherCase) {
            warning(i, QStringLiteral("%1のファイル「%2」は「%"
                                      "3」という名前でしかありません。プレイヤーは見つけますが、"
                                      "大文字と小文字を区別する所へ写すと見つかりません。")
                           .arg(kind, name, QFileInfo(resolved).fileName()));
        }
        return resolved;
    }

    void checkWave(int i, const QString& name, bool voice) {
        if (!EndsInLowerV(name)) {
            if (voice) {
                error(i, QStringLiteral("声のファイル名「%"
                                        "1」の最後が小文字の「v」ではありません。音楽が鳴っていない"
                                        "ときは「音声エラー」でゲームが終わります。")
                             .arg(name));
            } else {
                warning(i,
                        QStringLiteral(
                            "ファイル名「%1」の最後が小文字の「v」ではないので、何も鳴りません。")
                            .arg(name));
            }
            return;
        }
        if (name.contains(QLatin1Char(' '))) {
            error(i, QStringLiteral(
                         "ファイル名「%1」に空白があります。空白のある名前の音は開けません。")
                         .arg(name));
            return;
        }
        checkFile(i, name, QStringLiteral("音"));
    }

    void checkMessageWidth(int i, const QString& text) {
        const int room = Label::RowRoom(kMessageWindowWidth);
        const double width = Label::RowWidth(text, kMessageFont, kMessageFontPoints);
        if (width > room) {
            warning(i,
                    QStringLiteral(
                        "文が長すぎます（%1 ピクセル、メッセージウィンドウの 1 行は %2 ピクセル）。"
                        "折り返して次の行にはみ出すか、下が切れます。")
                        .arg(qCeil(width))
                        .arg(room));
        }
    }

    // ---- where reading goes ------------------------------------------------

    bool waits(const ModelLine& line) const {
        return line.is("keywait ") || line.is("botwait ") || line.is("anime   ") ||
               line.is("anime3  ");
    }

    // Where the story can go on after line i, as far as it can be known without
    // playing: the next line unless the line jumps or halts, the chosen labels
    // after a choice.
    std::vector<int> successors(int i) const {
        const ModelLine& line = at(i);
        std::vector<int> next;
        auto landOn = [&](int label) {
            if (label == 0 || label == -1) return;
            const int target = model_.labelLine(label);
            if (target >= 0) next.push_back(target + 1);
        };
        if (line.is("next    ")) {
            const Checked<int16_t> target = NextTarget(line.line.restOfLine());
            if (!target) return next;
            if (*target == 0) next.push_back(i + 1);
            landOn(*target);
            return next;
        }
        if (line.is("pg      ") || line.is("botrpg  ")) return next;
        if (line.is("botwait ")) return choiceSuccessors(i);
        next.push_back(i + 1);
        return next;
    }

    // After `botwait`: the labels of the buttons shown since the last `botcls` of
    // this section, with the targets of its last `nextbot`. A button leading
    // nowhere, or buttons not cleared first (button 10 leads nowhere), go on after
    // the wait.
    std::vector<int> choiceSuccessors(int i) const {
        std::vector<int> next;
        std::optional<std::array<int16_t, kChoiceTargetFields>> targets;
        QSet<int> shown;
        bool cleared = false;
        for (int k = i - 1; k >= 0 && at(k).kind != LineKind::Label; --k) {
            const ModelLine& line = at(k);
            if (!targets && line.is("nextbot ")) {
                if (auto parsed = ChoiceTargetFields(line.line)) targets = *parsed;
            }
            if (!cleared && (line.is("bottxt2 ") || line.is("botpic  "))) {
                if (auto fields = ParseCommaForm(line.line)) {
                    if (auto index = ButtonIndex(fields->index, "bottxt2")) shown.insert(*index);
                }
            }
            if (line.is("botcls  ")) cleared = true;
            if (cleared && targets) break;
        }
        bool goesOn = !cleared;
        for (int button : shown) {
            const int label = (targets && button < kChoiceTargetFields)
                                  ? (*targets)[static_cast<size_t>(button)]
                                  : 0;
            if (label == 0) {
                goesOn = true;
            } else if (label != -1) {
                const int target = model_.labelLine(label);
                if (target >= 0) next.push_back(target + 1);
            }
        }
        if (goesOn) next.push_back(i + 1);
        return next;
    }

    void checkFlow() {
        const int start = model_.labelLine(1);
        if (start < 0) {
            error(0, QStringLiteral(
                         "ラベル「_00001」がありません。「最初から遊ぶ」はここから始まります。"));
            return;
        }
        // Every line a player can reach, and the places a run can start from.
        std::vector<bool> reached(static_cast<size_t>(model_.size() + 1), false);
        std::vector<int> runStarts{start + 1};
        std::vector<int> pending{start + 1};
        while (!pending.empty()) {
            const int i = pending.back();
            pending.pop_back();
            if (i > model_.size() || reached[static_cast<size_t>(i)]) continue;
            reached[static_cast<size_t>(i)] = true;
            if (i == model_.size()) continue;
            const ModelLine& line = at(i);
            if ((line.kind == LineKind::Label || line.kind == LineKind::End) && i > 0) {
                error(i, QStringLiteral("前の行からそのまま読み進むと、この%"
                                        "1行はプレイヤーに「はｻﾎﾟｰﾄしていません!」と"
                                        "言われます。前で next などで飛ぶか、止めてください。")
                             .arg(line.kind == LineKind::Label ? QStringLiteral("ラベル")
                                                               : QStringLiteral("終了")));
            }
            const std::vector<int> following = successors(i);
            for (int next : following) {
                const bool jumped = next != i + 1;
                if (jumped || waits(line)) runStarts.push_back(next);
                pending.push_back(next);
            }
            if (i + 1 == model_.size() &&
                std::find(following.begin(), following.end(), i + 1) != following.end()) {
                error(i, QStringLiteral(
                             "この行の後でファイルが終わっていて、次に読む行がありません。"));
            }
        }
        std::sort(runStarts.begin(), runStarts.end());
        runStarts.erase(std::unique(runStarts.begin(), runStarts.end()), runStarts.end());
        for (int runStart : runStarts)
            checkBudget(runStart);
    }

    // One run from `startIndex`: the player reads at most 100 lines before it must
    // have stopped to wait.
    void checkBudget(int startIndex) {
        int budget = kLineBudget;
        int i = startIndex;
        while (budget >= 1) {
            if (i >= model_.size()) return;  // reported as running off the end
            const ModelLine& line = at(i);
            if (line.is("pg      ")) return;
            if (waits(line) || line.is("botrpg  ")) {
                --budget;
                break;
            }
            int next = i + 1;
            if (line.is("next    ")) {
                const Checked<int16_t> target = NextTarget(line.line.restOfLine());
                if (!target || *target == -1) return;
                if (*target != 0) {
                    const int label = model_.labelLine(*target);
                    if (label < 0) return;  // reported as a missing label
                    next = label + 1;
                }
            }
            --budget;
            i = next;
        }
        if (budget > 0) return;
        const int where = startIndex < model_.size() ? startIndex : model_.size() - 1;
        error(where,
              QStringLiteral(
                  "ここから読み始めると、待つ命令（keywait、botwait、anime、anime3、botrpg）なしに "
                  "100 行を読むので、プレイヤーは「%1」で終わります。")
                  .arg(QString::fromUtf16(kLoopOutMessage)));
    }

    const Model& model_;
    QList<Finding> findings_;
};

QString DotText(QString text) {
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString StoryGraphOf(const Model& model);

QString LabelNode(int n) {
    return QStringLiteral("L%1").arg(n < 0 ? QStringLiteral("m%1").arg(-n) : QString::number(n));
}

}  // namespace

int CheckReport::errors() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return f.severity == Finding::Severity::Error;
    }));
}

int CheckReport::warnings() const { return static_cast<int>(findings.size()) - errors(); }

CheckReport CheckScenario(const QString& dir) {
    CheckReport report;
    const std::optional<Model> model = ReadModel(dir);
    if (!model) return report;
    report.readable = true;
    Checker checker(*model);
    checker.run();
    report.findings = checker.findings();
    report.graph = StoryGraphOf(*model);
    return report;
}

QString FormatFinding(const Finding& finding) {
    return QStringLiteral("%1:%2: %3: %4")
        .arg(kScenarioFileName)
        .arg(finding.line)
        .arg(finding.severity == Finding::Severity::Error ? QStringLiteral("error")
                                                          : QStringLiteral("warning"))
        .arg(finding.message);
}

namespace {

QString StoryGraphOf(const Model& model) {
    QStringList out;
    out << QStringLiteral("digraph story {");
    out << QStringLiteral("  rankdir=LR;");
    out << QStringLiteral("  node [shape=box, fontname=\"IPAGothic\"];");
    out << QStringLiteral("  edge [fontname=\"IPAGothic\", fontsize=10];");
    out << QStringLiteral("  start [label=\"最初から遊ぶ\", shape=oval];");
    QSet<QString> endings;
    auto ending = [&](const QString& node, const QString& label, const QString& shape) {
        if (!endings.contains(node)) {
            out << QStringLiteral("  %1 [label=%2, shape=%3, style=bold];")
                       .arg(node, DotText(label), shape);
            endings.insert(node);
        }
    };

    // A node per label line; each section's exits become edges.
    QString section = QStringLiteral("start");
    bool haveLabelOne = false;
    std::optional<std::array<int16_t, kChoiceTargetFields>> targets;
    QHash<int, QString> captions;
    for (const ModelLine& line : model.lines) {
        if (line.kind == LineKind::Label) {
            bool isNumber = false;
            const int n = line.line.text.mid(1).toInt(&isNumber);
            const QString node =
                isNumber ? LabelNode(n) : QStringLiteral("X%1").arg(line.line.number);
            out << QStringLiteral("  %1 [label=%2];").arg(node, DotText(line.line.text));
            if (n == 1 && !haveLabelOne) {
                out << QStringLiteral("  start -> %1;").arg(node);
                haveLabelOne = true;
            }
            section = node;
            targets.reset();
            captions.clear();
            continue;
        }
        if (line.kind != LineKind::Command) continue;
        const QString rest = line.line.restOfLine();
        if (line.is("next    ")) {
            const Checked<int16_t> target = NextTarget(rest);
            if (!target || *target == 0) continue;
            if (*target == -1) {
                ending(QStringLiteral("scenario_end"), QStringLiteral("シナリオ正常終了 (next -1)"),
                       QStringLiteral("doublecircle"));
                out << QStringLiteral("  %1 -> scenario_end;").arg(section);
            } else {
                out << QStringLiteral("  %1 -> %2 [label=\"next\"];")
                           .arg(section, LabelNode(*target));
            }
        } else if (line.is("nextbot ")) {
            if (auto parsed = ChoiceTargetFields(line.line)) targets = *parsed;
        } else if (line.is("botcls  ")) {
            captions.clear();
        } else if (line.is("bottxt2 ") || line.is("botpic  ")) {
            if (auto fields = ParseCommaForm(line.line)) {
                if (auto index = ButtonIndex(fields->index, "bottxt2")) {
                    captions[*index] = fields->text.isEmpty() ? fields->toolTip : fields->text;
                }
            }
        } else if (line.is("botwait ")) {
            QList<int> buttons = captions.keys();
            std::sort(buttons.begin(), buttons.end());
            for (int button : buttons) {
                const int target = (targets && button < kChoiceTargetFields)
                                       ? (*targets)[static_cast<size_t>(button)]
                                       : 0;
                if (target == 0) continue;
                const QString to =
                    target == -1 ? QStringLiteral("scenario_end") : LabelNode(target);
                out << QStringLiteral("  %1 -> %2 [label=%3];")
                           .arg(section, to, DotText(captions[button]));
            }
        } else if (line.is("pg      ") || line.is("pgnext  ")) {
            const QString name = rest.toLower();
            if (name == QLatin1String("rtb3")) {
                ending(QStringLiteral("ending"), QStringLiteral("エンディング (rtb3)"),
                       QStringLiteral("doubleoctagon"));
                out << QStringLiteral("  %1 -> ending;").arg(section);
            } else if (name == QLatin1String("render")) {
                ending(QStringLiteral("quit"), QStringLiteral("終了の確認 (render)"),
                       QStringLiteral("octagon"));
                out << QStringLiteral("  %1 -> quit;").arg(section);
            }
        } else if (line.is("botrpg  ")) {
            ending(QStringLiteral("halt"), QStringLiteral("停止 (botrpg)"),
                   QStringLiteral("octagon"));
            out << QStringLiteral("  %1 -> halt;").arg(section);
        }
    }
    out << QStringLiteral("}");
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace

QString StoryGraph(const QString& dir) {
    const std::optional<Model> model = ReadModel(dir);
    return model ? StoryGraphOf(*model) : QString();
}
