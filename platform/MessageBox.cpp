#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/ApplicationTitle.h"
#include "platform/Logging.h"

namespace {

MessageResponder& Responder() {
    static MessageResponder responder;
    return responder;
}

const char* AnswerName(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok: return "OK";
        case MessageAnswer::Yes: return "Yes";
        case MessageAnswer::No: return "No";
    }
    return "?";
}

MessageAnswer ShowOnScreen(const QString& text, MessageStyle style) {
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
            box.setDefaultButton(QMessageBox::Yes);
            break;
    }
    const int result = box.exec();
    if (style != MessageStyle::YesNoQuestion) return MessageAnswer::Ok;
    return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace

MessageAnswer ShowMessage(const QString& text, MessageStyle style) {
    const MessageAnswer answer = Responder() ? Responder()(text, style) : ShowOnScreen(text, style);
    qCDebug(lcMsgbox).noquote() << "message box:" << text << "->" << AnswerName(answer);
    return answer;
}

void SetMessageResponder(MessageResponder responder) { Responder() = std::move(responder); }
