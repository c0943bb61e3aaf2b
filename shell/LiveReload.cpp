#include "shell/LiveReload.h"

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

#include "ScenarioChecker.h"
#include "platform/Events.h"
#include "platform/FileLookup.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Timer.h"
#include "scenario/EngineState.h"
#include "scenario/RunScenario.h"
#include "scenario/ScenarioError.h"
#include "shell/Form1.h"
#include "shell/ReadingKeys.h"
#include "shell/SystemMenu.h"

namespace {

// A box lists this many errors at most; the checker shows them all.
constexpr int kErrorsListed = 20;

// A reload asked for while a voice or the ending holds the story waits for the
// hold to end; more asks meanwhile make no second reload.
bool g_reloadDeferred = false;

struct FileStamp {
    qint64 size = -1;
    qint64 modified = -1;
    bool operator==(const FileStamp&) const = default;
};

FileStamp ScenarioStamp() {
    const QFileInfo info(ResolveFileName(Engine.AppDir + kScenarioFileName));
    if (!info.exists()) return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

class ScenarioWatch : public QObject {
  public:
    explicit ScenarioWatch(QObject* window) : QObject(window), seen_(ScenarioStamp()) {
        timer_.onTick([this] { look(); });
        timer_.setInterval(kWatchIntervalMs);
        window->installEventFilter(this);
    }

  protected:
    // Shift+R anywhere in the window: the buttons take no letters, so the key
    // reaches the window whichever of them holds the focus.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_R || key->modifiers() != Qt::ShiftModifier)
            return QObject::eventFilter(watched, event);
        ReloadScenario();
        return true;
    }

  private:
    void look() {
        const FileStamp now = ScenarioStamp();
        if (!(now == seen_)) {
            seen_ = now;
            changed_ = true;  // taken at the next look if it holds still
            return;
        }
        if (!changed_ || now.size < 0) return;
        changed_ = false;
        ReloadScenario();
    }

    PeriodicTimer timer_;
    FileStamp seen_;
    bool changed_ = false;
};

QString ErrorList(const CheckReport& report) {
    QStringList lines;
    int errors = 0;
    for (const Finding& f : report.findings) {
        // The title picture is on screen already; a scenario problem is what counts.
        if (f.severity != Finding::Severity::Error || f.code == QLatin1String("missing-title"))
            continue;
        if (++errors <= kErrorsListed)
            lines << QStringLiteral("%1 行目: %2 [%3]").arg(f.line).arg(f.message, f.code);
    }
    if (errors == 0) return {};
    if (errors > kErrorsListed)
        lines << QStringLiteral("ほかに %1 件あります。").arg(errors - kErrorsListed);
    return QStringLiteral("シナリオにエラーが %1 件あるので、読み直しませんでした。\n\n%2")
        .arg(errors)
        .arg(lines.join(QLatin1Char('\n')));
}

}  // namespace

void WatchScenario() { new ScenarioWatch(MainForm().window.qwidget()); }

void ReloadScenario() {
    if (ProgramHasEnded()) return;
    // Restarted in the middle of a held line, the story would jump away under
    // the command that holds it, with its voice still open.
    if (StoryIsHeld()) {
        if (!g_reloadDeferred) {
            g_reloadDeferred = true;
            DeferUntilHoldEnds([] {
                g_reloadDeferred = false;
                ReloadScenario();
            });
        }
        return;
    }
    const CheckReport report = CheckScenario(QDir::currentPath());
    if (!report.readable) {
        ShowMessage(QStringLiteral("シナリオファイルを読めないので、読み直しませんでした。"),
                    MessageStyle::OkOnly);
        return;
    }
    if (const QString errors = ErrorList(report); !errors.isEmpty()) {
        ShowMessage(errors, MessageStyle::OkOnly);
        return;
    }
    const int16_t label = LastLabelReached();
    if (label == 0) return;  // New Game reads the file as it is now
    StartStoryAt(label);
    SettleFocus();
}
