#include "portraits/PortraitDecoder.h"

#include "portraits/ArchiveFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::span<const char, 6144> RecordSpan(const QByteArray& record)
{
    return std::span<const char, 6144>(record.constData(), 6144);
}

unsigned char At(const QByteArray& bytes, int i)
{
    return static_cast<unsigned char>(bytes[i]);
}

// Every pixel shows the palette index of its byte, and every palette index its stored colour.
void ExpectShowsRecord(const QImage& image, const QByteArray& record)
{
    ASSERT_EQ(image.size(), QSize(64, 80));
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.colorCount(), 256);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(image.pixelIndex(x, y), At(record, 64 * y + x)) << x << "," << y;
    for (int p = 0; p < 256; ++p) {
        const int e = 5120 + 4 * p;
        ASSERT_EQ(image.color(p), qRgb(At(record, e + 2), At(record, e + 1), At(record, e))) << p;
    }
}

TEST(PortraitDecoder, RowsTopFirstAndPaletteStoredBlueGreenRed)
{
    QByteArray record = PatternRecord(3);
    for (int x = 0; x < 64; ++x)
        record[x] = static_cast<char>(200 + x % 8); // a top row unlike every other
    record[0] = 0;            // top-left pixel: entry 0
    record[5119] = '\xFF';    // bottom-right pixel: entry 255
    record.replace(5120 + 4 * 0, 4, QByteArray("\x0A\x14\x1E\x00", 4)); // 10, 20, 30, 0
    record.replace(5120 + 4 * 255, 4, QByteArray("\x01\x02\x03\xFF", 4));

    const QImage image = DecodePortraitRecord(RecordSpan(record));
    ExpectShowsRecord(image, record);
    EXPECT_EQ(image.pixel(0, 0), qRgb(30, 20, 10));
    EXPECT_EQ(image.pixel(63, 79), qRgb(3, 2, 1));
    EXPECT_EQ(image.pixelIndex(5, 0), 205);
    EXPECT_EQ(image.pixelIndex(1, 1), At(record, 65));
}

class ArchiveDecoding : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    FaceArchive OpenFixture(const QString& name)
    {
        FaceArchive archive;
        EXPECT_TRUE(archive.Open(dir.filePath(name)));
        return archive;
    }

    QTemporaryDir dir;
};

TEST_F(ArchiveDecoding, FacesDrawTheirOwnRecords)
{
    const QString main = dir.filePath("grpfaces.s10");
    GrowFile(main, 9499020 + 6144);
    PutBytes(main, 37260, PatternRecord(0));                // face 0
    PutBytes(main, 37260 + 6144 * 130, PatternRecord(131)); // face 131, also drawn for gap 130
    PutBytes(main, 37260 + 6144 * 1136, PatternRecord(1189));
    PutBytes(main, 9499020, PatternRecord(1593));

    const QString add = dir.filePath("grpaface.s10");
    PutBytes(add, 316, Le32(14000));
    PutBytes(add, 6196, Le32(7000));
    PutBytes(add, 7000, PatternRecord(2049));
    PutBytes(add, 14000, PatternRecord(2000));

    const FaceArchive mainArchive = OpenFixture("grpfaces.s10");
    const FaceArchive addArchive = OpenFixture("grpaface.s10");
    struct Case {
        std::int32_t face;
        const FaceArchive* archive;
        int record;
    };
    const Case cases[] = {
        {0, &mainArchive, 0},      {130, &mainArchive, 131},  {131, &mainArchive, 131},
        {1593, &mainArchive, 1593}, {1595, &mainArchive, 1189}, {2000, &addArchive, 2000},
        {2049, &addArchive, 2049},  {1594, &addArchive, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        ExpectShowsRecord(DecodePortrait(c.face, *c.archive), PatternRecord(c.record));
    }
}

TEST_F(ArchiveDecoding, ARecordCutShortReadsTheRestAsZero)
{
    const QByteArray record = PatternRecord(5);
    struct Case {
        const char* name;
        int kept; // bytes of face 0's record the file still holds
    };
    const Case cases[] = {{"in the pixels", 100}, {"in the palette", 5120 + 6}, {"none", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString("cut%1.s10").arg(c.kept));
        GrowFile(path, 37260);
        PutBytes(path, 37260, record.left(c.kept));
        QByteArray expected = record.left(c.kept);
        expected.append(QByteArray(6144 - c.kept, '\0'));
        ExpectShowsRecord(DecodePortrait(0, OpenFixture(QString("cut%1.s10").arg(c.kept))), expected);
    }
}

TEST_F(ArchiveDecoding, BadIndexEntriesDrawABlankPicture)
{
    const QString add = dir.filePath("grpaface.s10");
    PutBytes(add, 316, Le32(-6000));                 // face 2000: before the file
    PutBytes(add, 316 + 120, Le32(0x7FFFFFFF));      // face 2001: far beyond it
    PutBytes(add, 316 + 240, Le32(7000 - 100));      // face 2002: its last 100 bytes are missing
    PutBytes(add, 7000 - 100, PatternRecord(9).left(100));
    GrowFile(add, 7000);
    const FaceArchive archive = OpenFixture("grpaface.s10");

    const QByteArray blank(6144, '\0');
    ExpectShowsRecord(DecodePortrait(2000, archive), blank);
    ExpectShowsRecord(DecodePortrait(2001, archive), blank);
    ExpectShowsRecord(DecodePortrait(2000, FaceArchive()), blank);
    ExpectShowsRecord(DecodePortrait(-7, archive), blank);   // before the main records

    QByteArray partial = PatternRecord(9).left(100);
    partial.append(QByteArray(6044, '\0'));
    ExpectShowsRecord(DecodePortrait(2002, archive), partial);
}

} // namespace
