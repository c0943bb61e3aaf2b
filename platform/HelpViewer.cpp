#include "platform/HelpViewer.h"

#include <QFile>
#include <QPointer>
#include <QShortcut>
#include <QStringDecoder>
#include <QTextBrowser>

#include "platform/ApplicationTitle.h"
#include "platform/FileLookup.h"
#include "platform/MessageBox.h"
#include "platform/TextCodec.h"
#include "platform/widgets/Window.h"

namespace {

QPointer<QTextBrowser> g_browser;

QString DecodeHelp(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return DecodeAnsi(bytes);
}

bool LooksLikeHtml(const QString& text) {
    const QString start = text.left(512).trimmed().toLower();
    return start.startsWith(QLatin1String("<!doctype html")) ||
           start.startsWith(QLatin1String("<html")) || start.contains(QLatin1String("<body"));
}

}  // namespace

void ShowHelpContents(const QString& fileName, Window& owner) {
    QFile file(ResolveFileName(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessage(QStringLiteral("ヘルプファイル「%1」を開けませんでした。").arg(fileName),
                    MessageStyle::OkOnly);
        return;
    }
    const QString text = DecodeHelp(file.readAll());

    if (!g_browser) {
        g_browser = new QTextBrowser(owner.qwidget());
        g_browser->setObjectName(QStringLiteral("HelpViewer"));
        // A dialog-like window of the game's: the window manager keeps it above
        // the game's window instead of letting a click on the game bury it.
        g_browser->setWindowFlags(Qt::Dialog);
        g_browser->setAttribute(Qt::WA_DeleteOnClose);
        g_browser->setOpenExternalLinks(true);
        for (const QKeySequence& keys :
             {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
            auto* shortcut = new QShortcut(keys, g_browser);
            QObject::connect(shortcut, &QShortcut::activated, g_browser.data(), &QWidget::close);
        }
        g_browser->resize(560, 480);
        // Over the game's window, where the player is looking.
        const QRect ownerFrame = owner.qwidget()->frameGeometry();
        g_browser->move(ownerFrame.center() - g_browser->rect().center());
    }
    g_browser->setWindowTitle(QStringLiteral("%1 - 遊び方の説明").arg(ApplicationTitle()));
    if (LooksLikeHtml(text)) {
        g_browser->setHtml(text);
    } else {
        g_browser->setPlainText(text);
    }
    g_browser->show();
    g_browser->raise();
    g_browser->activateWindow();
}

QString HelpViewerText() { return g_browser ? g_browser->toPlainText() : QString(); }

bool HelpViewerOpen() { return g_browser && g_browser->isVisible(); }

void CloseHelpViewer() {
    if (g_browser) delete g_browser.data();
}
