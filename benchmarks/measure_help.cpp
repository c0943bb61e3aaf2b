// Opens and closes the help window 1,000 times on a help file with pictures
// (eight tags naming one picture with different queries, a picture past the
// window's budget, one from outside the folder) and prints the resident memory
// before, along the way and after: each window's decoded pictures go with it.
//
//     ./build/benchmarks/measure_help [times]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>

#include "platform/FileLookup.h"
#include "platform/HelpViewer.h"
#include "platform/TextMetrics.h"
#include "platform/widgets/Window.h"

namespace {

// Resident memory, with what the allocator keeps for later handed back first.
long ResidentKilobytes() {
    malloc_trim(0);
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return -1;
    long pages = 0, resident = 0;
    const int got = std::fscanf(f, "%ld %ld", &pages, &resident);
    std::fclose(f);
    return got == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

void WritePicture(const QString& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(path, "png");
}

void OpenAndClose(Window& owner) {
    ShowHelpContents(QStringLiteral("Lanternwick.HLP"), owner);
    QApplication::processEvents();
    CloseHelpViewer();
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The offscreen platform notes every raise() of the help window.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    InstallGameFaces();
    const int times = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    QTemporaryDir folder, outside;
    QDir::setCurrent(folder.path());
    WritePicture(QStringLiteral("lamp.png"), 2000, 2000);  // 16 MB decoded
    WritePicture(QStringLiteral("huge.png"), 4200, 4200);  // 70 MB: past the budget
    WritePicture(outside.filePath(QStringLiteral("secret.png")), 64, 64);
    QByteArray help = "<html><body><h1>Lanternwick</h1>";
    for (int i = 1; i <= 8; ++i)
        help += "<p>lamp " + QByteArray::number(i) + "<img src=\"lamp.png?" +
                QByteArray::number(i) + "\" alt=\"lamp\"></p>";
    help += "<img src=\"huge.png\" alt=\"huge\"><img src=\"" +
            QFile::encodeName(outside.filePath(QStringLiteral("secret.png"))) +
            "\" alt=\"secret\"></body></html>";
    QFile file(QStringLiteral("Lanternwick.HLP"));
    file.open(QIODevice::WriteOnly);
    file.write(help);
    file.close();

    Window owner(QStringLiteral("HelpOwner"));
    owner.setClientSize(640, 458);
    OpenAndClose(owner);  // the toolkit's own first-use allocations
    const long before = ResidentKilobytes();
    std::printf("help opened and closed   resident kB   change kB   ms per open and close\n");
    std::printf("%21d   %11ld\n", 1, before);
    QElapsedTimer watch;
    watch.start();
    for (int i = 1; i <= times; ++i) {
        OpenAndClose(owner);
        if (i == 10 || i == 100 || i % 250 == 0 || i == times) {
            const long now = ResidentKilobytes();
            std::printf("%21d   %11ld   %+9ld   %21.1f\n", i + 1, now, now - before,
                        static_cast<double>(watch.elapsed()) / i);
        }
    }
    return 0;
}
