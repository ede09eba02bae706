#include "codeconv/Jislib.h"
#include "officers/OfficerFile.h"
#include "officers/RecordLayout.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString path;
    OfficerTable table;

    Fixture()
    {
        LoadCodeTable();
        path = dir.filePath(QStringLiteral("TPERSON.S10"));
        QByteArray bytes(kOfficerFileSize + 16, '\x5A');
        for (int slot = 0; slot < kSlotCount; ++slot) {
            SetFieldText(table.Xing[slot], "\xC1\xF5");
            SetFieldText(table.Ming[slot], "\xB1\xB8");
            SetFieldText(table.Story[slot], std::string(140, 'a'));
        }
        PatchOfficerRecords(bytes, table);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
};

void BM_LoadOfficerFile(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        OfficerTable t;
        benchmark::DoNotOptimize(ReadOfficerFile(fixture.path, t));
    }
}
BENCHMARK(BM_LoadOfficerFile);

void BM_SaveOfficerFile(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteOfficerFile(fixture.path, fixture.table));
}
BENCHMARK(BM_SaveOfficerFile);

} // namespace
