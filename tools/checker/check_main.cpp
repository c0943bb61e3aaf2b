// lanternwick-check [DIR] [--graph FILE.dot]
// Checks DIR/Lanternwick.dat (DIR defaults to the current directory) and prints
// one line per problem. Exit status: 0 no errors, 1 errors, 2 the file is unreadable.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

#include "ScenarioChecker.h"
#include "platform/PlatformSetup.h"

namespace {

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

int Usage() {
    Print(stderr, QStringLiteral("usage: lanternwick-check [DIR] [--graph FILE.dot]"));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Text widths are measured in the game's fonts; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    PlatformApplication application(argc, argv);

    QString dir = QStringLiteral(".");
    QString graphFile;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--graph")) {
            if (i + 1 >= args.size()) return Usage();
            graphFile = args[++i];
        } else if (args[i].startsWith(QLatin1Char('-'))) {
            return Usage();
        } else {
            dir = args[i];
        }
    }

    const CheckReport report = CheckScenario(dir);
    if (!report.readable) {
        Print(stderr,
              QStringLiteral("lanternwick-check: %1/Lanternwick.dat を読めません。").arg(dir));
        return 2;
    }
    for (const Finding& finding : report.findings)
        Print(stdout, FormatFinding(finding));
    Print(stdout,
          QStringLiteral("%1 error(s), %2 warning(s)").arg(report.errors()).arg(report.warnings()));

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
