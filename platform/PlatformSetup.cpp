#include "platform/PlatformSetup.h"

#include <unistd.h>

#include <QApplication>
#include <QFontDatabase>
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

// While the platform plugin starts, its complaints are held back: if it fails,
// Qt's reason is printed (which plugin, which display) under a line of our own
// instead of the toolkit's abort; if it succeeds they are passed on unchanged.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs("lanternwick: the window system could not be started:\n", stderr);
        for (const auto& message : g_startupMessages)
            std::fprintf(stderr, "%s\n", message.text.toLocal8Bit().constData());
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        EndProgram(1);
    }
    g_startupMessages.push_back({type, text});
}

const char kNoJapaneseFaceLine[] =
    "lanternwick: no Japanese font is installed, so every character would show as a box; "
    "install one with: sudo apt-get install fonts-ipafont-gothic fonts-ipafont-mincho\n";

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
    if (QFontDatabase::families(QFontDatabase::Japanese).isEmpty()) {
        std::fputs(kNoJapaneseFaceLine, stderr);
        EndProgram(1);
    }
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
