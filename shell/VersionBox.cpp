#include "shell/VersionBox.h"

#include <algorithm>
#include <cmath>

#include "platform/ApplicationTitle.h"
#include "platform/MessageBox.h"

namespace {

const QString kBreak = QStringLiteral("\r\n");
// The project's version, "2.00", as the build states it.
const QString kVersion = QStringLiteral(LANTERNWICK_VERSION);
// At most as long as the title line, so that it can be centred under it.
const QString kNotice = QStringLiteral("(C) 2026 ともしび工房");
const QString kSupportHeading = QStringLiteral("《ゲームサポート・ホームページ・アドレス》");
const QString kSupportLines[] = {
    QStringLiteral("○第１ゲート：https://lanternwick.example.jp/"),
    QStringLiteral("○第２ゲート：https://tomoshibi-kobo.example.net/support/"),
    QStringLiteral("○第３ゲート：https://www.example.org/lanternwick/"),
    QStringLiteral("○第４ゲート：https://mirror.example.com/lanternwick/"),
};

}  // namespace

QString VersionBoxText() {
    const QString title = QStringLiteral("『 ") + ApplicationTitle() + QStringLiteral(" 』  Ver.") +
                          kVersion + kBreak + kBreak;
    const int spaces =
        NoticeIndent(static_cast<int>(title.size()), static_cast<int>(kNotice.size()));
    QString text = title + QString(spaces, QLatin1Char(' ')) + kNotice + kBreak + kBreak + kBreak;
    text += kSupportHeading + kBreak;
    for (const QString& line : kSupportLines)
        text += line + kBreak;
    text += kBreak;
    return text;
}

int NoticeIndent(int titleLength, int noticeLength) {
    // The title's length counts its two line breaks (two characters each), hence
    // the 4 taken off again; halves round to the even neighbour. A notice longer
    // than the title simply starts at the left edge.
    const double indent = (static_cast<double>(titleLength) - noticeLength - 4) / 2.0;
    return std::max(0, static_cast<int>(std::nearbyint(indent)));
}

QString GameVersion() { return kVersion; }

void ShowVersionBox() { ShowMessage(VersionBoxText(), MessageStyle::OkInformation); }
