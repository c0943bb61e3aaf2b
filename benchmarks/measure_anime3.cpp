// Measures the 100-frame `anime3` from outside the player: this program writes a
// game folder whose story is one `anime3` line (a 480x35800 JPEG strip for frames
// 0 to 98 and an extra last frame), starts itself again in it as the player
// (the real start-up, then New Game after 1.5 s), and samples that process's
// resident memory from /proc while it composes and plays the animation.
// Prints the resident memory before, the highest during, and after the
// animation, the process's peak, and the time from the line to the first frame.
//
// Then, where it was built with XTest, it measures as a reader would see it: an
// Xvfb of its own, the installed-style player started on it in the same folder,
// New Game clicked through the X server, and the CG window's middle pixel read
// back from the server until it shows the first frame.
//
//   measure_anime3 [runs, default 3]
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/PlatformSetup.h"
#include "shell/Form1.h"
#include "shell/Main.h"
#include "shell/SystemMenu.h"

#ifdef LANTERNWICK_HAVE_XTEST
#include "first_frame_on_x.h"
#endif

namespace {

// ---- the player's side -----------------------------------------------------

void Say(const char* what, double ms = 0) {
    std::printf("%s %.1f\n", what, ms);
    std::fflush(stdout);
}

int Play(int argc, char** argv) {
    PlatformApplication application(argc, argv);
    Main();
    QElapsedTimer sinceLine;
    QTimer watch;
    QString lastTag;
    bool started = false;
    QTimer::singleShot(1500, [&] {
        Say("before");
        sinceLine.start();
        Command1_Click(2);  // New Game: the story starts with the anime3 line
        Say("composed", static_cast<double>(sinceLine.nsecsElapsed()) / 1e6);
        lastTag = MainForm().Animer1.tag();
        started = true;
        watch.start(1);
    });
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!started) return;
        const QString tag = MainForm().Animer1.tag();
        if (lastTag == QLatin1String("000099") && tag != lastTag) {
            Say("first-frame", static_cast<double>(sinceLine.nsecsElapsed()) / 1e6);
        }
        lastTag = tag;
        if (MainForm().Animer1.interval() != 0) return;
        watch.stop();
        Say("done");
        QTimer::singleShot(2000, [] { Say("after"); });
        QTimer::singleShot(2500, [] { std::_Exit(0); });
    });
    return application.exec();
}

// ---- the measuring side ----------------------------------------------------

long StatusKilobytes(pid_t pid, const char* field) {
    char path[64], line[256];
    std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
    FILE* f = std::fopen(path, "r");
    if (!f) return -1;
    long kb = -1;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            kb = std::atol(line + length + 1);
            break;
        }
    }
    std::fclose(f);
    return kb;
}

void WriteStrip(const QString& path, int width, int height, int seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < height; y += 360) {
        QLinearGradient gradient(0, y, width, y + 360);
        gradient.setColorAt(0, QColor::fromHsv((seed + y / 360) * 23 % 360, 200, 200));
        gradient.setColorAt(1, QColor::fromHsv((seed + y / 360) * 61 % 360, 160, 90));
        painter.fillRect(QRect(0, y, width, 360), gradient);
    }
    painter.end();
    image.save(path, "JPEG", 85);
}

struct Figures {
    long before = 0, during = 0, after = 0, peak = 0;
    double composed = 0, firstFrame = 0;
};

Figures MeasureOnce(const char* self, const QString& folder, const QString& runtime) {
    int out[2];
    if (pipe(out) != 0) std::exit(1);
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        if (chdir(QFile::encodeName(folder).constData()) != 0) std::_Exit(1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime).constData(), 1);
        execl(self, self, "--play", static_cast<char*>(nullptr));
        std::_Exit(1);
    }
    close(out[1]);
    Figures f;
    std::string pending;
    bool during = false;
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        const long rss = StatusKilobytes(child, "VmRSS");
        if (during && rss > f.during) f.during = rss;
        if (poll(&p, 1, 5) <= 0) continue;
        char buffer[256];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        pending.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            char word[32] = {};
            double ms = 0;
            std::sscanf(pending.substr(0, end).c_str(), "%31s %lf", word, &ms);
            pending.erase(0, end + 1);
            const std::string w = word;
            if (w == "before") {
                f.before = rss;
                during = true;
            } else if (w == "composed") {
                f.composed = ms;
            } else if (w == "first-frame") {
                f.firstFrame = ms;
            } else if (w == "done") {
                during = false;
            } else if (w == "after") {
                f.after = StatusKilobytes(child, "VmRSS");
                f.peak = StatusKilobytes(child, "VmHWM");
            }
        }
    }
    close(out[0]);
    waitpid(child, nullptr, 0);
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--play") == 0) return Play(argc, argv);
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    QTemporaryDir folder, runtime;
    QDir::setCurrent(folder.path());
    for (const char* name : {"Title.JPG", "loop101s.wav"})
        QFile::copy(QStringLiteral(LANTERNWICK_GAME_DIR "/") + name, name);
    WriteStrip("strip100.JPG", 480, 35800, 3);
    WriteStrip("last.JPG", 480, 360, 4);
    QFile scenario("Lanternwick.dat");
    scenario.open(QIODevice::WriteOnly);
    scenario.write("_00001\r\nanime3   strip100.JPG991last.JPG\r\nbotrpg  \r\n_\r\n");
    scenario.close();
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    const long strip = 480L * 36000 * 4 / 1024;
    std::printf("strip: 480 x 36000 x 4 bytes = %ld kB\n", strip);
    std::printf("run  before kB  during kB  after kB  peak kB  line to composed  to first frame\n");
    for (int i = 0; i < runs; ++i) {
        const Figures f = MeasureOnce(self.constData(), folder.path(), runtime.path());
        std::printf("%3d  %9ld  %9ld  %8ld  %7ld  %13.1f ms  %11.1f ms\n", i + 1, f.before,
                    f.during, f.after, f.peak, f.composed, f.firstFrame);
        std::printf("     after - before = %+ld kB (one strip %ld kB), peak - before = %+ld kB\n",
                    f.after - f.before, strip, f.peak - f.before);
    }
#ifdef LANTERNWICK_HAVE_XTEST
    const QImage picture(folder.path() + QStringLiteral("/strip100.JPG"));
    MeasureFirstFrameOnX(std::max(runs, 5), QFile::encodeName(folder.path()).constData(),
                         LANTERNWICK_PLAYER, picture.pixel(240, 180) & 0xffffff);
#endif
    return 0;
}
