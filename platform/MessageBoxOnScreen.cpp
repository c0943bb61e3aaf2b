#include "platform/MessageBoxOnScreen.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/ApplicationTitle.h"

MessageAnswer ShowMessageOnScreen(const QString& text, MessageStyle style) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(ApplicationTitle());
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (style) {
        case MessageStyle::OkOnly:
            box.setIcon(QMessageBox::NoIcon);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageStyle::OkInformation:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageStyle::YesNoQuestion:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            // The game's own words, whichever of Qt's translations is found.
            box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
            box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
            // Enter reads on in the game: it must not quit by accident.
            box.setDefaultButton(QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            break;
    }
    const int result = box.exec();
    if (style != MessageStyle::YesNoQuestion) return MessageAnswer::Ok;
    return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}
