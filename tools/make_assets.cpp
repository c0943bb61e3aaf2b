// Makes the bundled game's pictures, music and voices in the current
// directory, which must be the game folder. Everything is drawn, composed or
// spoken from code, so anyone can rebuild the assets; the results are
// committed, so the game itself runs without this tool.
//   lanternwick-make-assets --icons FOLDER
// makes the desktop icon in all its sizes under FOLDER/hicolor instead.
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

#include "Icon.h"
#include "Music.h"
#include "Pictures.h"
#include "Voices.h"

int main(int argc, char** argv) {
    // Nothing is shown: drawing needs a platform for fonts, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--icons")) {
        QStringList icons;
        const bool written = MakeIcons(arguments[2], icons);
        for (const QString& file : icons)
            std::printf("  %s\n", qPrintable(file));
        return written ? 0 : 1;
    }
    if (!QFileInfo::exists(QStringLiteral("Lanternwick.dat"))) {
        std::fputs(
            "lanternwick-make-assets: run me from the game folder (the one holding "
            "Lanternwick.dat):\n  (cd game && ../build/tools/lanternwick-make-assets)\n",
            stderr);
        return 2;
    }
    QStringList made;
    bool ok = MakePictures(made) && MakeMusic(made);
    const bool canSpeak = CanMakeVoices();
    if (ok && canSpeak) ok = MakeVoices(made);
    std::printf("lanternwick-make-assets: wrote %lld files\n", static_cast<long long>(made.size()));
    for (const QString& file : made)
        std::printf("  %s\n", qPrintable(file));
    if (!canSpeak) {
        std::fprintf(stderr,
                     "lanternwick-make-assets: the voices need %s, which is not installed;\n"
                     "  the voice files already in this folder were left as they are.\n",
                     qPrintable(kSpeakerPackage));
        return 1;
    }
    if (!ok) {
        std::fputs("lanternwick-make-assets: stopped; see the message above\n", stderr);
        return 1;
    }
    return 0;
}
