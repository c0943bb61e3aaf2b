#include "platform/HelpViewer.h"

#include <QDesktopServices>
#include <QImage>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>

#include "platform/ApplicationTitle.h"
#include "platform/HelpContent.h"
#include "platform/HelpPictures.h"
#include "platform/MessageBox.h"
#include "platform/widgets/Window.h"

namespace {

// Pictures of the help file come from the game folder through the player's own
// picture reader, decided on and decoded before the page is laid out (see
// HelpPictures); style sheets and every other resource are not fetched, so the
// markup reaches no file outside the folder and never waits on a pipe.
class HelpBrowser : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;

    void showHtml(const QString& html) {
        // The document keeps what it loaded under the old page's names.
        clear();
        pictures_ = HelpPictures();
        setHtml(pictures_.prepare(html));
    }

    void showPlainText(const QString& text) {
        clear();
        pictures_ = HelpPictures();
        setPlainText(text);
    }

  protected:
    QVariant loadResource(int type, const QUrl& name) override {
        if (type != QTextDocument::ImageResource) return {};
        const QImage image = pictures_.picture(name);
        return image.isNull() ? QVariant() : QVariant(image);
    }

  private:
    HelpPictures pictures_;
};

QPointer<HelpBrowser> g_browser;
QString g_helpFileName;

void FollowHelpLink(const QUrl& url) {
    if (!g_browser) return;
    switch (ClassifyHelpLink(url, g_helpFileName)) {
        case HelpLink::Anchor: g_browser->scrollToAnchor(url.fragment()); break;
        case HelpLink::Browser: QDesktopServices::openUrl(url); break;
        case HelpLink::Ignored: break;
    }
}

}  // namespace

void ShowHelpContents(const QString& fileName, Window& owner) {
    const std::optional<HelpContent> content = LoadHelpContent(fileName);
    if (!content) {
        ShowMessage(QStringLiteral("ヘルプファイル「%1」を開けませんでした。").arg(fileName),
                    MessageStyle::OkOnly);
        return;
    }
    g_helpFileName = fileName;

    if (!g_browser) {
        g_browser = new HelpBrowser(owner.qwidget());
        g_browser->setObjectName(QStringLiteral("HelpViewer"));
        // A dialog-like window of the game's: the window manager keeps it above
        // the game's window instead of letting a click on the game bury it.
        g_browser->setWindowFlags(Qt::Dialog);
        g_browser->setAttribute(Qt::WA_DeleteOnClose);
        // Every click is decided here, never by the desktop's handler of its scheme.
        g_browser->setOpenLinks(false);
        QObject::connect(g_browser, &QTextBrowser::anchorClicked, FollowHelpLink);
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
    if (content->html) {
        g_browser->showHtml(content->text);
    } else {
        g_browser->showPlainText(content->text);
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
