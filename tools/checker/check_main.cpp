// lanternwick-check [GAME] [--format=text|json] [--graph FILE.dot]
// Checks GAME (the game folder or its Lanternwick.dat; the current directory when
// left out) and prints one line per problem. Exit status: 0 no errors, 1 errors,
// 2 the file is unreadable or the command line is wrong.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

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
    "usage: lanternwick-check [GAME] [--format=text|json] [--graph FILE.dot]\n"
    "\n"
    "Checks GAME/Lanternwick.dat (GAME is the game folder or the scenario file itself;\n"
    "the current directory when left out) and prints one diagnostic per line:\n"
    "  PATH:LINE:COLUMN: error|warning: message [code]\n"
    "--format=json prints a JSON array of {path, line, column, severity, code, message}.\n"
    "--graph writes the story as a Graphviz graph.\n"
    "--help, -h prints this usage.\n"
    "Exit status: 0 no errors, 1 errors, 2 unreadable file or wrong arguments.";

int Usage(std::FILE* stream, int status) {
    Print(stream, QString::fromUtf8(kUsage));
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // Text widths are measured in the game's fonts; no window is ever shown.
    MeasuringApplication application(argc, argv);

    QString given = QStringLiteral(".");
    QString graphFile;
    bool json = false;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h")) {
            return Usage(stdout, 0);
        } else if (args[i] == QLatin1String("--graph")) {
            if (i + 1 >= args.size()) return Usage(stderr, 2);
            graphFile = args[++i];
        } else if (args[i] == QLatin1String("--format=json")) {
            json = true;
        } else if (args[i] == QLatin1String("--format=text")) {
            json = false;
        } else if (args[i].startsWith(QLatin1Char('-'))) {
            return Usage(stderr, 2);
        } else {
            given = args[i];
        }
    }

    const CheckReport report = CheckScenario(given);
    if (!report.readable) {
        Print(stderr, QStringLiteral("lanternwick-check: %1 を読めません。").arg(report.path));
        return 2;
    }
    if (json) {
        const QByteArray json = FindingsJson(report.findings, report.path);
        std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    } else {
        for (const Finding& finding : report.findings)
            Print(stdout, FormatFinding(finding, report.path));
        Print(stdout, QStringLiteral("%1 error(s), %2 warning(s)")
                          .arg(report.errors())
                          .arg(report.warnings()));
    }

    if (!graphFile.isEmpty()) {
        QFile out(graphFile);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(report.graph.toUtf8()) < 0) {
            Print(stderr, QStringLiteral("lanternwick-check: %1 に書けません。").arg(graphFile));
            return 2;
        }
    }
    return report.errors() > 0 ? 1 : 0;
}
