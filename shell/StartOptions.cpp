#include "shell/StartOptions.h"

#include <QCommandLineParser>

#include "platform/ApplicationTitle.h"
#include "shell/VersionBox.h"

namespace {
int16_t g_newGameLabel = 1;
}  // namespace

CommandLineResult ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("%1: plays the game in GAME_DIR (or in the current directory).")
            .arg(ApplicationTitle()));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays the version and exits."));
    const QCommandLineOption warp(
        QStringLiteral("warp"),
        QStringLiteral("New Game starts at label LABEL instead of 1 (for trying a scene)."),
        QStringLiteral("LABEL"));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption watch(
        QStringLiteral("watch"),
        QStringLiteral("When Lanternwick.dat changes (or on Shift+R), the story starts again at "
                       "the last label it passed."));
    parser.addOption(warp);
    parser.addOption(watch);
    parser.addPositionalArgument(QStringLiteral("GAME_DIR"),
                                 QStringLiteral("The game's folder, holding Lanternwick.dat."),
                                 QStringLiteral("[GAME_DIR]"));

    CommandLineResult result;
    const QString program = QStringLiteral("lanternwick");
    if (!parser.parse(arguments)) {
        result.error = QStringLiteral("%1: %2\n").arg(program, parser.errorText());
        result.exitStatus = 2;
        return result;
    }
    if (parser.isSet(help)) {
        // helpText() names the program after the application object, which does
        // not exist yet: its first line, the usage, is written here instead.
        const QString text = QStringLiteral("Usage: %1 [options] [GAME_DIR]\n").arg(program) +
                             parser.helpText().section(QLatin1Char('\n'), 1) +
                             QStringLiteral(
                                 "\nExit status: 0 when the game ends (also on SIGTERM "
                                 "or SIGHUP), 1 when it cannot start or loses its\n"
                                 "display, 2 for a wrong command line, 130 on SIGINT.\n");
        result.output = text;
        return result;
    }
    if (parser.isSet(version)) {
        result.output = QStringLiteral("%1 %2\n").arg(program, GameVersion());
        return result;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        result.error = QStringLiteral("%1: only one GAME_DIR may be given\n").arg(program);
        result.exitStatus = 2;
        return result;
    }

    StartOptions options;
    if (!positional.isEmpty()) options.gameDir = positional.front();
    options.watch = parser.isSet(watch);
    if (parser.isSet(warp)) {
        bool ok = false;
        const int label = parser.value(warp).toInt(&ok);
        if (!ok || label < 1 || label > 32767) {
            result.error =
                QStringLiteral("%1: --warp needs a label number from 1 to 32767, not \"%2\"\n")
                    .arg(program, parser.value(warp));
            result.exitStatus = 2;
            return result;
        }
        options.newGameLabel = static_cast<int16_t>(label);
    }
    result.options = options;
    return result;
}

int16_t NewGameLabel() { return g_newGameLabel; }
void SetNewGameLabel(int16_t label) { g_newGameLabel = label; }
