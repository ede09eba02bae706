#include "installdir/WinePrefixes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A user.reg of about the size a prefix grows to in use, without the game's key.
QByteArray UsedUserReg()
{
    QByteArray reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n";
    for (int key = 0; reg.size() < 256 * 1024; ++key)
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

// A home crowded with prefixes of every front-end (Lutris 40, Bottles 20 + 20, PlayOnLinux 10,
// CrossOver 5, Steam 100 in the root and 50 in a library), the game in the very last one.
const QString& CrowdedHome()
{
    static QTemporaryDir home;
    static const QString path = [] {
        const QByteArray reg = UsedUserReg();
        const QDir h(home.path());
        Write(h.filePath(".wine/user.reg"), reg);
        const struct {
            const char* dir;
            int count;
        } fronts[] = {{"Games/game", 40},
                      {".local/share/bottles/bottles/b", 20},
                      {".var/app/com.usebottles.bottles/data/bottles/bottles/f", 20},
                      {".PlayOnLinux/wineprefix/p", 10},
                      {".cxoffice/c", 5}};
        for (const auto& f : fronts)
            for (int i = 0; i < f.count; ++i)
                Write(h.filePath(QString::fromLatin1(f.dir) + QString::number(i) + "/user.reg"), reg);
        for (int i = 0; i < 100; ++i)
            Write(h.filePath(QString(".local/share/Steam/steamapps/compatdata/%1/pfx/user.reg").arg(1000 + i)), reg);
        Write(h.filePath(".local/share/Steam/steamapps/libraryfolders.vdf"),
              "\"libraryfolders\" { \"1\" { \"path\" \"" + h.filePath("library").toUtf8() + "\" } }");
        for (int i = 0; i < 50; ++i) {
            QByteArray last = reg;
            if (i == 49)
                last += "[Software\\\\Koei\\\\San10\\\\Install] 1\n\"InstallInfo\"=\"C:\\\\Koei\\\\San10\"\n";
            Write(h.filePath(QString("library/steamapps/compatdata/%1/pfx/user.reg").arg(2000 + i)), last);
        }
        return home.path();
    }();
    return path;
}

void BM_ScanCrowdedHome(benchmark::State& state)
{
    const QString& home = CrowdedHome();
    for (auto _ : state) {
        WineScan scan = ScanWinePrefixes(home, {});
        if (scan.gamePrefix.isEmpty() || scan.prefixes.size() != 246)
            std::abort();
        benchmark::DoNotOptimize(scan);
    }
}
BENCHMARK(BM_ScanCrowdedHome)->Unit(benchmark::kMillisecond);

} // namespace
