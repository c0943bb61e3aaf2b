// File lookups beside 200,000 other files: a name the scenario spells in
// another case than the file's is resolved from the folder's listing, which is
// made once while the folder is unchanged. The goal: 1,000 such lookups well
// under 50 ms once the folder has been listed.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileLookup.h"

namespace {

constexpr int kFolderFiles = 200000;
constexpr int kLookups = 1000;

// The folder, made once for every benchmark here (making it takes seconds).
const QTemporaryDir& CrowdedFolder() {
    static const QTemporaryDir* dir = [] {
        auto* made = new QTemporaryDir;
        const QByteArray base = QFile::encodeName(made->path());
        for (int i = 0; i < kFolderFiles; ++i) {
            const QByteArray name = base + "/picture" + QByteArray::number(i) + ".JPG";
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0600);
            if (fd >= 0) ::close(fd);
        }
        return made;
    }();
    return *dir;
}

QString WrongCase(int i) { return QStringLiteral("PICTURE%1.jpg").arg(i * 199 % kFolderFiles); }

void BM_WrongCaseLookupsAfterTheFirstListing(benchmark::State& state) {
    const QString folder = CrowdedFolder().path();
    SetGameFolder(folder);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    // The listing: twice, as one made right after the folder's last change is
    // not kept.
    for (int i = 0; i < 2; ++i)
        if (FindFile(WrongCase(i)) != FileMatch::OtherCase) state.SkipWithError("not found");
    for (auto _ : state) {
        for (int i = 0; i < kLookups; ++i)
            benchmark::DoNotOptimize(ResolveFileName(WrongCase(i)));
    }
    state.SetItemsProcessed(state.iterations() * kLookups);
    state.SetLabel("1,000 lookups, 200,000 files");
    QDir::setCurrent(previous);
    SetGameFolder(QString());
}
BENCHMARK(BM_WrongCaseLookupsAfterTheFirstListing)->Unit(benchmark::kMillisecond);

// The listing itself, made again each time because the folder changes.
void BM_ListingAfterTheFolderChanged(benchmark::State& state) {
    const QString folder = CrowdedFolder().path();
    SetGameFolder(folder);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A new modification time, old enough that the listing is kept.
        const timespec stamps[2] = {{0, UTIME_OMIT}, {1000000000 + ++round, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), stamps, 0);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ResolveFileName(folder + QStringLiteral("/PICTURE7.jpg")));
    }
    state.SetLabel("200,000 files");
    SetGameFolder(QString());
}
BENCHMARK(BM_ListingAfterTheFolderChanged)->Unit(benchmark::kMillisecond);

// The sound names that stand for no file: never a listing.
void BM_PlaceholderSoundNames(benchmark::State& state) {
    const QString folder = CrowdedFolder().path();
    SetGameFolder(folder);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ResolveFileName(QStringLiteral("v")));
        benchmark::DoNotOptimize(ResolveFileName(QStringLiteral("wav")));
    }
    QDir::setCurrent(previous);
    SetGameFolder(QString());
}
BENCHMARK(BM_PlaceholderSoundNames)->Unit(benchmark::kMicrosecond);

}  // namespace
