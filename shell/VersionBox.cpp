#include "shell/VersionBox.h"

#include <algorithm>
#include <cmath>

#include "platform/ApplicationTitle.h"
#include "platform/MessageBox.h"

namespace {

const QString kBreak = QStringLiteral("\r\n");
const QString kVersion = QStringLiteral("2.00");
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
    // The title line's length counts its two line breaks (two characters each),
    // hence the 4 taken off again; halves round to the even neighbour.
    const double indent = (static_cast<double>(title.size()) - kNotice.size() - 4) / 2.0;
    const int spaces = std::max(0, static_cast<int>(std::nearbyint(indent)));
    QString text = title + QString(spaces, QLatin1Char(' ')) + kNotice + kBreak + kBreak + kBreak;
    text += kSupportHeading + kBreak;
    for (const QString& line : kSupportLines)
        text += line + kBreak;
    text += kBreak;
    return text;
}

void ShowVersionBox() { ShowMessage(VersionBoxText(), MessageStyle::OkInformation); }
