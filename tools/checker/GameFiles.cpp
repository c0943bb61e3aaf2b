#include <QFileInfo>

#include "CheckerParts.h"
#include "scenario/ArgumentRules.h"
#include "shell/Main.h"
#include "shell/SystemMenu.h"
#include "sound/TitleMusic.h"

// The files the player opens by their own names, whatever the scenario says: the
// title picture at start-up (without it the player does not start), the title
// music and the help file.

namespace {

// The findings are the folder's, not a line's: they stand at line 1 without a column.
constexpr int kNoColumn = 0;

// The path of `name` in the game folder, or nothing; a name found only with
// another case is pointed out as the scenario's names are.
std::optional<QString> Find(FolderIndex& files, Reporter& report, const QString& name) {
    QString resolved;
    const FileMatch match = files.find(name, &resolved);
    if (match == FileMatch::Missing) return std::nullopt;
    if (match == FileMatch::OtherCase) {
        report.warning(0, kNoColumn, "file-case",
                       QStringLiteral("「%1」は「%2」という名前でしかありません。プレイヤーは"
                                      "見つけますが、大文字と小文字を区別する所へ写すと見つかり"
                                      "ません。")
                           .arg(name, QFileInfo(resolved).fileName()));
    }
    return resolved;
}

}  // namespace

void CheckGameFiles(FolderIndex& files, Reporter& report) {
    const QString& title = kTitlePictureFile;
    const std::optional<QString> titlePath = Find(files, report, title);
    const std::optional<PictureSize> titleSize =
        titlePath ? files.pictureSize(*titlePath) : std::nullopt;
    if (!titlePath) {
        report.error(0, kNoColumn, "missing-title",
                     QStringLiteral("タイトルの絵「%1」がゲームのフォルダにありません。"
                                    "プレイヤーは起動できません。")
                         .arg(title));
    } else if (!titleSize) {
        report.error(0, kNoColumn, "not-picture",
                     QStringLiteral("タイトルの絵「%1」は絵として読めません（JPEG、BMP、GIF、PNG が"
                                    "使えます）。プレイヤーは起動できません。")
                         .arg(title));
    } else if (titleSize->width != kCgWidth || titleSize->height != kCgHeight) {
        report.warning(
            0, kNoColumn, "picture-size",
            QStringLiteral("タイトルの絵「%1」は %2x%3 です。%4x%5 で描いてください。")
                .arg(title, QString::number(titleSize->width), QString::number(titleSize->height),
                     QString::number(kCgWidth), QString::number(kCgHeight)));
    }

    const QString& music = kTitleMusicFile;
    const std::optional<QString> musicPath = Find(files, report, music);
    if (!musicPath || !files.playableWave(*musicPath)) {
        report.warning(0, kNoColumn, "missing-title-music",
                       QStringLiteral("タイトルの音楽「%1」が%2。タイトル画面は音なしになります。")
                           .arg(music, musicPath ? QStringLiteral("鳴らせる WAV ではありません")
                                                 : QStringLiteral("ありません")));
    }

    const QString& help = kHelpFileName;
    if (!Find(files, report, help)) {
        report.warning(0, kNoColumn, "missing-help",
                       QStringLiteral("説明のファイル「%1」がありません。「遊び方の説明」を押しても"
                                      "説明は出ません。")
                           .arg(help));
    }
}
