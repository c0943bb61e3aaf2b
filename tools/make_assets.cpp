// Makes the bundled game's pictures and music in the current directory, which
// must be the game folder. Everything is drawn or composed from code, so anyone
// can rebuild the assets; the results are committed, so the game itself runs
// without this tool.
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

#include "Music.h"
#include "Pictures.h"

int main(int argc, char** argv) {
    // Nothing is shown: drawing needs a platform for fonts, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!QFileInfo::exists(QStringLiteral("Lanternwick.dat"))) {
        std::fputs(
            "lanternwick-make-assets: run me from the game folder (the one holding "
            "Lanternwick.dat):\n  (cd game && ../build/tools/lanternwick-make-assets)\n",
            stderr);
        return 2;
    }
    QStringList made;
    const bool ok = MakePictures(made) && MakeMusic(made);
    std::printf("lanternwick-make-assets: wrote %lld files\n", static_cast<long long>(made.size()));
    for (const QString& file : made)
        std::printf("  %s\n", qPrintable(file));
    if (!ok) {
        std::fputs("lanternwick-make-assets: stopped; see the message above\n", stderr);
        return 1;
    }
    return 0;
}
