#include "scenario/ScenarioError.h"

#include "platform/Logging.h"
#include "platform/MessageBox.h"

QString QuotedLine(const QString& text) {
    if (text.size() <= kQuotedLineCharacters) return text;
    return text.left(kQuotedLineCharacters) +
           QStringLiteral("…（以下 %1 文字略）").arg(text.size() - kQuotedLineCharacters);
}

void ReportScenarioError(const QString& problem, const std::optional<ScenarioLine>& line) {
    QString text;
    if (line) {
        text = QStringLiteral("シナリオ「%1」の %2 行目で問題が見つかりました。\n\n「%3」\n\n")
                   .arg(kScenarioFileName, QString::number(line->number), QuotedLine(line->text));
    } else {
        text = QStringLiteral("シナリオ「%1」で問題が見つかりました。\n\n").arg(kScenarioFileName);
    }
    text += problem + QStringLiteral("\nお話はここで止まります。");
    qCDebug(lcScenario).noquote() << "scenario error:" << (line ? line->number : 0) << problem;
    ShowMessage(text, MessageStyle::OkOnly);
}
