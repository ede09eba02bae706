#include "portraits/FaceArchive.h"
#include "portraits/FaceNumbering.h"
#include "portraits/PortraitDecoder.h"
#include "tools/SampleGame.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>

namespace {

constexpr int kPageCells = 21;

// One sample main archive for every benchmark of the run.
const FaceArchive& SampleArchive()
{
    static QTemporaryDir dir;
    static FaceArchive archive = [] {
        FaceArchive opened;
        if (!dir.isValid() || !MakeSampleGame(dir.path(), {.additionalArchive = false, .officerFile = false})
            || !opened.Open(QDir(dir.path()).filePath(kSampleMainArchive)))
            std::abort();
        return opened;
    }();
    return archive;
}

// The picker's "新武将" page: indices 714..734.
constexpr int kFirstIndex = 714;

void BM_DecodePage(benchmark::State& state)
{
    const FaceArchive& archive = SampleArchive();
    for (auto _ : state) {
        for (int k = 0; k < kPageCells; ++k) {
            QImage image = DecodePortrait(IndexToFace(kFirstIndex + k), archive);
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * kPageCells);
}
BENCHMARK(BM_DecodePage);

// Decoding plus the conversion to true colour that showing a picture on screen costs.
void BM_DecodePageToRgb(benchmark::State& state)
{
    const FaceArchive& archive = SampleArchive();
    for (auto _ : state) {
        for (int k = 0; k < kPageCells; ++k) {
            QImage image = DecodePortrait(IndexToFace(kFirstIndex + k), archive).convertToFormat(QImage::Format_RGB32);
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * kPageCells);
}
BENCHMARK(BM_DecodePageToRgb);

// The floor: reading the same 21 records' bytes and nothing else.
void BM_ReadPageBytes(benchmark::State& state)
{
    const FaceArchive& archive = SampleArchive();
    std::array<char, kRecordBytes> record{};
    for (auto _ : state) {
        for (int k = 0; k < kPageCells; ++k) {
            const qint64 position = kMainRecordsStart + qint64{kRecordBytes} * (kFirstIndex + k);
            benchmark::DoNotOptimize(archive.ReadAt(position, record));
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * kPageCells);
}
BENCHMARK(BM_ReadPageBytes);

} // namespace
