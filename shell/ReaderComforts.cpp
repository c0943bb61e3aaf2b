#include "shell/ReaderComforts.h"

#include "platform/HelpViewer.h"
#include "platform/widgets/Window.h"
#include "shell/Form1.h"
#include "shell/ReadingKeys.h"
#include "shell/Scaling.h"

ReaderComforts::ReaderComforts(Form1& form)
    : readingMark(form.window, QStringLiteral("ReadingMark")),
      backlogView(form.window, QStringLiteral("Backlog")),
      autoReading(messageRows, readingMark, form.Label1, form.window),
      form_(form) {
    backlogView.onClosed([] { SettleFocus(); });
}

void ReaderComforts::openBacklog() {
    if (!BacklogCanOpen()) return;
    // Over the whole inside, in the message window's font as start-up sized it.
    backlogView.setLeft(0);
    backlogView.setTop(0);
    backlogView.setWidth(form_.window.insideWidth());
    backlogView.setHeight(form_.window.insideHeight());
    backlogView.useFontOf(form_.Label1);
    backlogView.open(QStringList(messageRows.rows().begin(), messageRows.rows().end()));
}

bool ReaderComforts::takeKey(const KeyInput& key) {
    if (!key.press) {
        if (key.key == Qt::Key_Control) autoReading.stopSkip();
        return false;
    }
    Window& window = form_.window;
    const bool plain = !key.ctrl && !key.alt && !key.shift;
    if ((key.key == Qt::Key_F11 && plain) ||
        (key.alt && !key.ctrl && (key.key == Qt::Key_Return || key.key == Qt::Key_Enter))) {
        if (!key.autoRepeat) ToggleFullScreen(window);
        return true;
    }
    if (key.key == Qt::Key_Escape && plain) {
        if (HelpViewerOpen()) {
            CloseHelpViewer();
        } else if (window.isFullScreen()) {
            window.setFullScreen(false);
        }
        return true;
    }
    if (key.ctrl && !key.alt) {
        switch (key.key) {
            case Qt::Key_0: ResetScale(window); return true;
            case Qt::Key_Plus:
            case Qt::Key_Equal: StepScale(window, +1); return true;
            case Qt::Key_Minus: StepScale(window, -1); return true;
            default: break;
        }
    }
    if (key.key == Qt::Key_Control) {
        if (!key.autoRepeat) autoReading.startSkip();
        return true;
    }
    if (key.key == Qt::Key_A && plain) {
        if (!key.autoRepeat) autoReading.toggleAuto();
        return true;
    }
    if (key.key == Qt::Key_PageUp && plain) {
        openBacklog();
        return true;
    }
    // The arrows keep moving the focus along the buttons (a focused button
    // takes them itself); the backlog has the wheel and Page Up.
    return false;
}
