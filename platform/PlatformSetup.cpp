#include "platform/PlatformSetup.h"

#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>
#include <vector>

#include "platform/MessageBoxOnScreen.h"
#include "platform/ProgramEnd.h"
#include "platform/Signals.h"
#include "platform/TextMetrics.h"

struct PlatformApplication::Impl {
    std::unique_ptr<QApplication> app;
};

namespace {

const char kNoDisplayLine[] =
    "lanternwick: no display could be opened; the game needs a desktop session "
    "(X11 or Wayland, DISPLAY or WAYLAND_DISPLAY set).\n";

struct BufferedMessage {
    QtMsgType type;
    QString text;
};
std::vector<BufferedMessage> g_startupMessages;

// While the platform plugin starts, its complaints are held back: if it fails we
// print one line of our own; if it succeeds they are passed on unchanged.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplayLine, stderr);
        std::fflush(stderr);
        _exit(1);
    }
    g_startupMessages.push_back({type, text});
}

// The game speaks Japanese whatever the desktop's language: the quit question's
// buttons read はい and いいえ, not Yes and No.
void InstallJapaneseButtonTexts(QApplication* app) {
    auto* translator = new QTranslator(app);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

// Whether a windowing system is configured at all: a display, or an explicit
// platform such as offscreen.
bool DisplayConfigured() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

PlatformApplication::PlatformApplication(int& argc, char** argv) : impl_(std::make_unique<Impl>()) {
    if (!DisplayConfigured()) {
        std::fputs(kNoDisplayLine, stderr);
        std::fflush(stderr);
        _exit(1);
    }
    QtMessageHandler previous = qInstallMessageHandler(StartupMessageHandler);
    impl_->app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& message : g_startupMessages) {
        QMessageLogContext context;
        (previous ? previous : qt_message_output)(message.type, context, message.text);
    }
    g_startupMessages.clear();

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    InstallGameFaces();
    InstallJapaneseButtonTexts(impl_->app.get());
    SetMessagePresenter(ShowMessageOnScreen);
    InstallSignalHandlers();
    ArmExitGuard(true);
}

// Returning from main is the program's own end: the statics may go as usual.
PlatformApplication::~PlatformApplication() { ArmExitGuard(false); }

int PlatformApplication::exec() { return QApplication::exec(); }

double ScreenTwipsPerPixelX() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}
