#include <QFileInfo>
#include <QtMath>

#include "CheckerParts.h"
#include "platform/TextFile.h"
#include "platform/TextMetrics.h"
#include "scenario/ArgumentRules.h"
#include "scenario/Numbers.h"
#include "scenario/RoutineCommands.h"
#include "scenario/RunScenario.h"
#include "scenario/ScenarioError.h"
#include "scenario/StageLayout.h"
#include "sound/MediaControl.h"

namespace {

constexpr int kArgumentColumn = 10;
constexpr int kCommaTextColumn = 12;

class LineChecker {
  public:
    LineChecker(const Model& model, FolderIndex& files, TextWidths& widths, Reporter& report)
        : model_(model), files_(files), widths_(widths), report_(report) {}

    void check(int i) {
        i_ = i;
        if (line().cut) {
            return error(1, "long-line",
                         QStringLiteral("この行は長すぎます。プレイヤーは %1 バイトまでしか読まず、"
                                        "ここでお話が止まります。")
                             .arg(kLongestLineBytes));
        }
        switch (model_.at(i).kind) {
            case LineKind::Unsupported: reportUnsupported(); return;
            case LineKind::Command: checkCommand(); return;
            default: return;
        }
    }

  private:
    const ScenarioLine& line() const { return model_.at(i_).line; }
    void error(int column, const char* code, const QString& message) {
        report_.error(i_, column, code, message);
    }
    void warning(int column, const char* code, const QString& message) {
        report_.warning(i_, column, code, message);
    }

    void reportUnsupported() {
        const QString& text = line().text;
        const QString shown =
            QStringLiteral("プレイヤーは「'%1' はｻﾎﾟｰﾄしていません!」と表示します。")
                .arg(QuotedLine(text));
        if (text.trimmed().isEmpty()) {
            return error(1, "blank-line",
                         (text.isEmpty() ? QStringLiteral("空行です。")
                                         : QStringLiteral("空白だけの行です。")) +
                             shown +
                             QStringLiteral("行を消すか、コメントなら「'」で始めてください。"));
        }
        if (text.startsWith(QLatin1Char('_'))) {
            return error(1, "bad-label-line",
                         QStringLiteral("「_」で始まる行ですが、ラベル（「_」と数字 5 文字）でも"
                                        "終了行（「_」だけ）でもありません。") +
                             shown);
        }
        const QString word = text.section(QLatin1Char(' '), 0, 0).toLower();
        for (const Command& command : CommandTable()) {
            if (CommandName(command) == word) {
                return error(1, "word-padding",
                             QStringLiteral("命令「%1」は 8 文字目まで空白で埋め、引数は 10 "
                                            "文字目から書いてください。")
                                     .arg(word) +
                                 shown);
            }
        }
        error(1, "unknown-command",
              QStringLiteral("「%1」という命令はありません。").arg(text.left(8).trimmed()) + shown);
    }

    void checkCommand() {
        const Command& command = *model_.at(i_).command;
        const QString rest = line().restOfLine();
        std::optional<CommaFields> comma;
        if (command.argument == Argument::CommaForm) {
            comma = ParseCommaForm(line());
            if (!comma) return error(kCommaTextColumn, "bad-argument", MissingCommaProblem());
        }
        if (command.argument == Argument::FixedColumns && !checkFields(command)) return;

        switch (command.role) {
            case Role::Jump: {
                const Checked<int16_t> target = NextTarget(rest);
                if (!target) return error(kArgumentColumn, "bad-argument", target.problem);
                checkTarget(kArgumentColumn, *target, QStringLiteral("行き先"));
                break;
            }
            case Role::ChoiceTargets: {
                const auto targets = ChoiceTargetFields(line());
                for (size_t k = 0; k < command.fields.size() && k < targets->size(); ++k) {
                    checkTarget(command.fields[k].first, (*targets)[k],
                                QString::fromUtf16(command.fields[k].name));
                }
                break;
            }
            case Role::ButtonCaption:
            case Role::ButtonPicture: checkButton(command, *comma); break;
            case Role::Picture:
                checkPicture(kArgumentColumn, CgFileName(line()), PictureRule::Scene);
                break;
            case Role::Frames: checkFrames(rest); break;
            case Role::Strip: checkStrip(); break;
            case Role::Routine:
                if (!IsBuiltinRoutine(rest.toLower())) {
                    error(kArgumentColumn, "unknown-routine",
                          QStringLiteral("組み込みルーチン「%1」はありません（render、rtb1、rtb2、"
                                         "rtb3 のどれか。後ろの空白も名前に入ります）。プレイヤーは"
                                         "「%1:PG命令の動作不正！強制終了します。」と表示して"
                                         "終わります。")
                              .arg(rest.toLower()));
                }
                break;
            case Role::Voice: checkWave(rest, true); break;
            case Role::LoopingMusic:
                // "v", which is no file, only closes the running music: the way to
                // silence it before a voice.
                if (rest != QLatin1String("v")) checkWave(rest, false);
                break;
            case Role::OneShotMusic: checkWave(rest, false); break;
            case Role::Message: checkMessageWidth(rest); break;
            default: break;
        }
    }

    // A jump to label `n` (`what` names the field for the message).
    void checkTarget(int column, int n, const QString& what) {
        if (n == 0 || n == -1) return;
        const QString label = LabelLineText(n);
        const QString searchError = QString::fromUtf16(kLabelSearchErrorMessage);
        const int target = model_.labelLine(n);
        if (target < 0) {
            error(column, "missing-label",
                  QStringLiteral("%1のラベル「%2」がありません（探すと「%3」になります）。")
                      .arg(what, label, searchError));
        } else if (model_.firstEnd >= 0 && target > model_.firstEnd) {
            error(column, "missing-label",
                  QStringLiteral("%1のラベル「%2」は終了行「_」（%3 行目）の後にしかないので、"
                                 "探す途中で「%4」になります。")
                      .arg(what, label, QString::number(model_.at(model_.firstEnd).line.number),
                           searchError));
        }
    }

    // The fixed columns of the table's row. The command's own rules decide what
    // stops the player; a numeric field they read as 0 (or as its leading digits)
    // is pointed out as well.
    bool checkFields(const Command& command) {
        std::optional<QString> problem;
        switch (command.role) {
            case Role::ChoiceTargets:
                if (auto parsed = ChoiceTargetFields(line()); !parsed) problem = parsed.problem;
                break;
            case Role::Strip:
                if (auto parsed = StripAnimationArguments(line()); !parsed)
                    problem = parsed.problem;
                break;
            case Role::Circle:
                if (auto parsed = CircleArguments(line()); !parsed) problem = parsed.problem;
                break;
            default: break;
        }
        const Field* firstNumeric = nullptr;
        const Field* notNumber = nullptr;
        for (const Field& field : command.fields) {
            if (!field.numeric) continue;
            if (!firstNumeric) firstNumeric = &field;
            const std::optional<double> value =
                WholeNumber(line().columns(field.first, field.width));
            if (!notNumber && (!value || !RoundedInt16(*value))) notNumber = &field;
        }
        if (problem) {
            const Field* at = notNumber ? notNumber : firstNumeric;
            error(at ? at->first : kArgumentColumn, "bad-argument", *problem);
            return false;
        }
        if (notNumber) {
            const QString text = line().columns(notNumber->first, notNumber->width);
            warning(notNumber->first, "not-number",
                    QStringLiteral("「%1」の%2（%3 文字目から %4 文字）「%5」は数ではありません。"
                                   "プレイヤーは %6 と読みます。")
                        .arg(CommandName(command), QString::fromUtf16(notNumber->name),
                             QString::number(notNumber->first), QString::number(notNumber->width),
                             text, QString::number(RoundedInt16(LeadingNumber(text)).value_or(0))));
        }
        return true;
    }

    void checkButton(const Command& command, const CommaFields& fields) {
        const QByteArray name = CommandName(command).toLatin1();
        const Checked<int> index = ButtonIndex(fields.index, name.constData());
        if (!index) return error(kArgumentColumn, "bad-argument", index.problem);
        const int toolTipColumn = static_cast<int>(line().text.indexOf(QLatin1Char(','))) + 2;
        if (command.role == Role::ButtonPicture) {
            checkPicture(kCommaTextColumn, FileNameOf(fields.text), PictureRule::AnySize);
        } else {
            const int room = ButtonCaptionRoom(kButtonWidth);
            const double width = widths_.row(fields.text, ButtonFont(*index), kButtonFontPoints);
            if (width > room) {
                warning(
                    kCommaTextColumn, "caption-width",
                    QStringLiteral("ボタンの文字が長すぎます（%1 ピクセル、%2 番のボタンに入るのは"
                                   " %3 ピクセル）。はみ出た所は切れて見えません。")
                        .arg(qCeil(width))
                        .arg(*index)
                        .arg(room));
            }
        }
        const double tipWidth = widths_.row(fields.toolTip, ButtonFont(*index), kButtonFontPoints);
        if (tipWidth > kStageWidth) {
            warning(toolTipColumn, "tooltip-width",
                    QStringLiteral("ツールチップが長すぎます（%1 ピクセル、ゲームの画面は %2 "
                                   "ピクセル）。画面の端で切れます。")
                        .arg(qCeil(tipWidth))
                        .arg(kStageWidth));
        }
    }

    void checkFrames(const QString& rest) {
        const Checked<QStringList> names = AnimeFrameNames(rest);
        if (!names) return error(kArgumentColumn, "bad-argument", names.problem);
        const int leftOver = static_cast<int>(rest.size()) % kAnimeFieldWidth;
        if (leftOver != 0) {
            warning(kArgumentColumn + static_cast<int>(names->size()) * kAnimeFieldWidth,
                    "anime-partial",
                    QStringLiteral("最後の %1 文字はファイル名の欄（12 文字）に足りないので、その"
                                   "コマは再生されません。名前を空白で 12 文字にそろえてください。")
                        .arg(leftOver));
        }
        for (qsizetype k = 0; k < names->size(); ++k) {
            checkPicture(kArgumentColumn + static_cast<int>(k) * kAnimeFieldWidth, names->at(k),
                         PictureRule::Scene);
        }
    }

    void checkStrip() {
        const Checked<StripAnimation> strip = StripAnimationArguments(line());
        if (!strip) return;  // reported with the fields
        const Command& command = *model_.at(i_).command;
        const int stripColumn = command.fields[0].first;
        const int extraColumn = command.fields[3].first;
        if (const auto size = checkPicture(stripColumn, strip->stripFile, PictureRule::AnySize)) {
            if (size->width != kCgWidth || size->height % kStripFrameHeight != 0) {
                warning(stripColumn, "strip-size",
                        QStringLiteral("「%1」は %2x%3 です。コマ（480x360）を縦に並べた大きさに"
                                       "してください。")
                            .arg(strip->stripFile, QString::number(size->width),
                                 QString::number(size->height)));
            }
            if (const auto tooShort = StripTooShort(*strip, size->height))
                warning(stripColumn, "strip-short", *tooShort);
        }
        if (strip->extraFrame) checkPicture(extraColumn, strip->extraFile, PictureRule::StripFrame);
    }

    enum class PictureRule { Scene, StripFrame, AnySize };

    // Whether the picture exists (in this case) and is one; its size when it is.
    std::optional<PictureSize> checkPicture(int column, const QString& name, PictureRule rule) {
        const std::optional<QString> path = checkFile(column, name, QStringLiteral("絵"));
        if (!path) return std::nullopt;
        const std::optional<PictureSize> size = files_.pictureSize(*path);
        if (!size) {
            error(column, "not-picture",
                  QStringLiteral("「%1」は絵として読めません（JPEG、BMP、GIF、PNG が使えます）。")
                      .arg(name));
            return std::nullopt;
        }
        const int height = rule == PictureRule::StripFrame ? kStripFrameHeight : kCgHeight;
        if (rule != PictureRule::AnySize && (size->width != kCgWidth || size->height != height)) {
            warning(column, "picture-size",
                    QStringLiteral("絵「%1」は %2x%3 です。この命令の絵は %4x%5 で描いてください。")
                        .arg(name, QString::number(size->width), QString::number(size->height),
                             QString::number(kCgWidth), QString::number(height)));
        }
        return size;
    }

    // The path of a file the scenario names, or nothing after reporting it missing.
    std::optional<QString> checkFile(int column, const QString& name, const QString& kind) {
        QString resolved;
        const FileMatch match = files_.find(name, &resolved);
        if (match == FileMatch::Missing) {
            error(column, "missing-file",
                  QStringLiteral("%1のファイル「%2」がありません。").arg(kind, name));
            return std::nullopt;
        }
        if (match == FileMatch::OtherCase) {
            warning(column, "file-case",
                    QStringLiteral("%1のファイル「%2」は「%3」という名前でしかありません。"
                                   "プレイヤーは見つけますが、大文字と小文字を区別する所へ写すと"
                                   "見つかりません。")
                        .arg(kind, name, QFileInfo(resolved).fileName()));
        }
        return resolved;
    }

    void checkWave(const QString& name, bool voice) {
        if (!EndsInLowerV(name)) {
            if (voice) {
                error(kArgumentColumn, "voice-name",
                      QStringLiteral("声のファイル名「%1」の最後が小文字の「v」ではありません。"
                                     "音楽が鳴っていないときは「音声エラー」でゲームが終わります。")
                          .arg(name));
            } else {
                warning(kArgumentColumn, "wave-name",
                        QStringLiteral("ファイル名「%1」の最後が小文字の「v」ではないので、何も"
                                       "鳴りません。")
                            .arg(name));
            }
            return;
        }
        if (name.contains(QLatin1Char(' '))) {
            error(
                kArgumentColumn + static_cast<int>(name.indexOf(QLatin1Char(' '))), "wave-blank",
                QStringLiteral("ファイル名「%1」に空白があります。空白のある名前の音は開けません。")
                    .arg(name));
            return;
        }
        const std::optional<QString> path = checkFile(kArgumentColumn, name, QStringLiteral("音"));
        if (path && !files_.playableWave(*path)) {
            error(kArgumentColumn, "not-wave",
                  QStringLiteral("「%1」はプレイヤーが鳴らせる WAV ファイルではありません。")
                      .arg(name));
        }
    }

    void checkMessageWidth(const QString& text) {
        const int room = LabelRowRoom(kMessageWindowWidth);
        const double width = widths_.row(text, kMessageFont, kMessageFontPoints);
        if (width > room) {
            warning(kArgumentColumn, "message-width",
                    QStringLiteral("文が長すぎます（%1 ピクセル、メッセージウィンドウの 1 行は %2 "
                                   "ピクセル）。折り返して次の行にはみ出すか、下が切れます。")
                        .arg(qCeil(width))
                        .arg(room));
        }
    }

    const Model& model_;
    FolderIndex& files_;
    TextWidths& widths_;
    Reporter& report_;
    int i_ = 0;
};

}  // namespace

void CheckLines(const Model& model, FolderIndex& files, TextWidths& widths, Reporter& report) {
    LineChecker checker(model, files, widths, report);
    for (int i = 0; i < model.size(); ++i)
        checker.check(i);
}
