#include "installdir/WinePrefixes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A user.reg of `bytes`, without the game's key.
QByteArray UserReg(qsizetype bytes)
{
    QByteArray reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n";
    for (int key = 0; reg.size() < bytes; ++key)
        reg += "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Key" + QByteArray::number(key)
               + "] 1700000000\n#time=1da0000000000000\n\"Value\"=\"C:\\\\users\\\\player\\\\AppData\\\\Roaming\"\n"
                 "\"Flags\"=dword:00000001\n\n";
    return reg;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// A home with `scale` times a spread of every front-end's prefixes (per unit: Lutris 8, Bottles
// 4 + 4, PlayOnLinux 2, CrossOver 1, Steam 20 in the root and 10 in a library) besides ~/.wine,
// each user.reg of `regBytes`, the game in the very last one.
void MakeHome(const QTemporaryDir& home, int scale, qsizetype regBytes)
{
    const QByteArray reg = UserReg(regBytes);
    const QDir h(home.path());
    Write(h.filePath(".wine/user.reg"), reg);
    const struct {
        const char* dir;
        int count;
        const char* below;
    } fronts[] = {{"Games/game", 8, ""},
                  {".local/share/bottles/bottles/b", 4, ""},
                  {".var/app/com.usebottles.bottles/data/bottles/bottles/f", 4, ""},
                  {".PlayOnLinux/wineprefix/p", 2, ""},
                  {".cxoffice/c", 1, ""},
                  {".local/share/Steam/steamapps/compatdata/", 20, "/pfx"}};
    for (const auto& f : fronts)
        for (int i = 0; i < f.count * scale; ++i)
            Write(h.filePath(QString::fromLatin1(f.dir) + QString::number(1000 + i) + f.below + "/user.reg"), reg);
    Write(h.filePath(".local/share/Steam/steamapps/libraryfolders.vdf"),
          "\"libraryfolders\" { \"1\" { \"path\" \"" + h.filePath("library").toUtf8() + "\" } }");
    const int library = 10 * scale;
    for (int i = 0; i < library; ++i) {
        QByteArray last = reg;
        if (i == library - 1)
            last += "[Software\\\\Koei\\\\San10\\\\Install] 1\n\"InstallInfo\"=\"C:\\\\Koei\\\\San10\"\n";
        Write(h.filePath(QString("library/steamapps/compatdata/%1/pfx/user.reg").arg(2000 + i)), last);
    }
}

// Arguments: scale, size of each user.reg in KiB.
void BM_ScanWinePrefixes(benchmark::State& state)
{
    QTemporaryDir home;
    const int scale = int(state.range(0));
    MakeHome(home, scale, state.range(1) * 1024);
    for (auto _ : state) {
        WineScan scan = ScanWinePrefixes(home.path(), {});
        if (scan.gamePrefix.isEmpty() || scan.prefixes.size() != 1 + 49 * scale)
            std::abort();
        benchmark::DoNotOptimize(scan);
    }
    state.counters["prefixes"] = 1 + 49 * scale;
}
// A few prefixes of a fresh Wine's size, a player's handful in use, and a crowded home.
BENCHMARK(BM_ScanWinePrefixes)->Args({1, 40})->Args({1, 256})->Args({5, 256})->Unit(benchmark::kMillisecond);

} // namespace
