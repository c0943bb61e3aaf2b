// lanternwick-check [GAME...] [--format text|json] [--columns UNIT] [--graph FILE.dot]
// lanternwick-check --lsp
// Checks each GAME (a game folder or its Lanternwick.dat; the current directory
// when none is given) and prints one line per problem. Exit status, the worst of
// all games: 0 no errors, 1 errors, 2 a file is unreadable or the command line
// is wrong. With --lsp it is a language server on standard input and output.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdio>

#include "LanguageServer.h"
#include "ScenarioChecker.h"
#include "platform/TextMetrics.h"

namespace {

// Written by length: a scenario line may hold NUL bytes, and the rest of the
// line and of the output must still reach the editor.
void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

const char kUsage[] =
    "usage: lanternwick-check [GAME...] [--format text|json] [--columns UNIT] [--graph FILE.dot]\n"
    "       lanternwick-check --lsp\n"
    "\n"
    "Checks GAME/Lanternwick.dat (GAME is a game folder or the scenario file itself;\n"
    "the current directory when none is given) and prints one diagnostic per line:\n"
    "  PATH:LINE:COLUMN: error|warning: message [code]\n"
    "--format json   prints one JSON array of {path, line, column, severity, code, message}.\n"
    "--columns UNIT  counts columns in characters (the default), bytes (of UTF-8, as\n"
    "                Vim's quickfix list does) or screen (a wide character two, as\n"
    "                Emacs' compilation mode does).\n"
    "--graph FILE    writes the story of the one GAME as a Graphviz graph.\n"
    "--lsp           speaks the Language Server Protocol on standard input and output.\n"
    "--version       prints the version.\n"
    "--help, -h      prints this usage.\n"
    "Exit status: the worst of all games, 0 no errors, 1 errors, 2 unreadable file or\n"
    "wrong arguments.";

int Usage(std::FILE* stream, int status) {
    Print(stream, QString::fromUtf8(kUsage));
    return status;
}

int Refuse(const QString& problem) {
    Print(stderr, QStringLiteral("lanternwick-check: %1").arg(problem));
    return Usage(stderr, 2);
}

std::optional<ColumnUnit> ColumnUnitNamed(const QString& name) {
    if (name == QLatin1String("characters")) return ColumnUnit::Characters;
    if (name == QLatin1String("bytes")) return ColumnUnit::Bytes;
    if (name == QLatin1String("screen")) return ColumnUnit::Screen;
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    // Text widths are measured in the game's fonts; no window is ever shown.
    MeasuringApplication application(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("FORMAT"),
                                    QStringLiteral("text"));
    const QCommandLineOption columns(QStringLiteral("columns"), QString(), QStringLiteral("UNIT"),
                                     QStringLiteral("characters"));
    const QCommandLineOption graph(QStringLiteral("graph"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption lsp(QStringLiteral("lsp"), QString());
    parser.addOptions({help, version, format, columns, graph, lsp});
    if (!parser.parse(QCoreApplication::arguments())) return Refuse(parser.errorText());
    if (parser.isSet(help)) return Usage(stdout, 0);
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("lanternwick-check ") + QLatin1String(LANTERNWICK_VERSION));
        return 0;
    }
    if (parser.isSet(lsp)) return RunLanguageServer();

    const QString formatName = parser.value(format);
    if (formatName != QLatin1String("text") && formatName != QLatin1String("json"))
        return Refuse(QStringLiteral("--format is text or json, not \"%1\"").arg(formatName));
    const bool json = formatName == QLatin1String("json");
    const std::optional<ColumnUnit> unit = ColumnUnitNamed(parser.value(columns));
    if (!unit) {
        return Refuse(QStringLiteral("--columns is characters, bytes or screen, not \"%1\"")
                          .arg(parser.value(columns)));
    }
    QStringList games = parser.positionalArguments();
    if (games.isEmpty()) games << QStringLiteral(".");
    const QString graphFile = parser.value(graph);
    if (!graphFile.isEmpty() && games.size() > 1)
        return Refuse(QStringLiteral("--graph draws one game; %1 were given").arg(games.size()));

    int status = 0;
    QList<Finding> all;
    QStringList paths;
    for (const QString& game : games) {
        CheckReport report = CheckScenario(game);
        if (!report.readable) {
            Print(stderr, QStringLiteral("lanternwick-check: %1 を読めません。").arg(report.path));
            status = 2;
            continue;
        }
        CountColumnsIn(report, *unit);
        if (report.errors() > 0) status = std::max(status, 1);
        if (json) {
            all.append(report.findings);
            paths.append(QStringList(report.findings.size(), report.path));
        } else {
            for (const Finding& finding : report.findings)
                Print(stdout, FormatFinding(finding, report.path));
            // With several games each count names its file; the line does not
            // take the form of a diagnostic, so no editor jumps to it.
            const QString count = QStringLiteral("%1 error(s), %2 warning(s)")
                                      .arg(report.errors())
                                      .arg(report.warnings());
            Print(stdout, games.size() > 1 ? count + QStringLiteral(" in ") + report.path : count);
        }
        if (!graphFile.isEmpty()) {
            QFile out(graphFile);
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                out.write(report.graph.toUtf8()) < 0) {
                Print(stderr,
                      QStringLiteral("lanternwick-check: %1 に書けません。").arg(graphFile));
                return 2;
            }
        }
    }
    if (json) {
        const QByteArray text = FindingsJson(all, paths);
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    }
    return status;
}
