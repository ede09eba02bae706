#include "tools/SampleGame.h"

#include "officers/OfficerFile.h"
#include "portraits/FaceNumbering.h"
#include "portraits/PortraitDecoder.h"
#include "tools/SampleOfficers.h"
#include "tools/SamplePortraits.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string_view>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint32 Le32At(const QByteArray& bytes, qint64 at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<qint32>(v);
}

// The face a raw record shows, decoded the way the editor decodes it.
int FaceInRecord(const QByteArray& archive, qint64 position)
{
    if (position < 0 || position + 6144 > archive.size())
        return -2;
    return SampleFaceShown(DecodePortraitRecord(std::span<const char, 6144>(archive.constData() + position, 6144)));
}

class SampleGame : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        QString error;
        ASSERT_TRUE(MakeSampleGame(dir->path(), {}, &error)) << qPrintable(error);
    }
    static void TearDownTestSuite() { delete dir; }
    static QString PathOf(const QString& file) { return QDir(dir->path()).filePath(file); }

    static QTemporaryDir* dir;
};
QTemporaryDir* SampleGame::dir = nullptr;

TEST_F(SampleGame, MainArchiveHoldsEveryPortraitInIndexOrder)
{
    const QByteArray archive = ReadAll(PathOf("grp/grpfaces.s10"));
    ASSERT_EQ(archive.size(), 37260 + 1541 * 6144);
    for (int index = 0; index < 1541; ++index)
        ASSERT_EQ(FaceInRecord(archive, 37260 + 6144LL * index), IndexToFace(index)) << "index " << index;
}

TEST_F(SampleGame, AdditionalArchiveIsFoundThroughItsIndexTable)
{
    const QByteArray archive = ReadAll(PathOf("grp/grpaface.s10"));
    ASSERT_GE(archive.size(), 316 + 50 * 120);
    QSet<qint32> positions;
    for (int k = 0; k < 50; ++k) {
        const qint32 position = Le32At(archive, 316 + 120 * k);
        positions.insert(position);
        EXPECT_GE(position, 316 + 50 * 120) << "records lie after the table";
        EXPECT_EQ(FaceInRecord(archive, position), 2000 + k) << "entry " << k;
    }
    EXPECT_EQ(positions.size(), 50);
}

TEST_F(SampleGame, PortraitsOfOnePageDiffer)
{
    const QByteArray archive = ReadAll(PathOf("grp/grpfaces.s10"));
    QSet<QByteArray> pixels;
    QSet<QByteArray> palettes;
    for (int index = 0; index < 21; ++index) {
        pixels.insert(archive.mid(37260 + 6144 * index, 5120));
        palettes.insert(archive.mid(37260 + 6144 * index + 5120, 1024));
    }
    EXPECT_EQ(pixels.size(), 21);
    EXPECT_EQ(palettes.size(), 21);
}

TEST_F(SampleGame, OfficerFileHoldsTheSampleOfficers)
{
    const QString path = PathOf("My Documents/Koei/San10/TPrsn/TPERSON.S10");
    EXPECT_GT(QFile(path).size(), 28604);
    OfficerTable read;
    ASSERT_FALSE(ReadOfficerFile(path, read).has_value());
    const OfficerTable sample = MakeSampleOfficerTable();

    int officers = 0;
    bool additionalFace = false;
    bool relatedToEachOther = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (sample.Type[slot] == kNoType) {
            EXPECT_EQ(read.Type[slot], kNoType) << "slot " << slot;
            continue;
        }
        ++officers;
        // Every character survives the trip through Shift-JIS.
        EXPECT_EQ(FieldText(read.Xing[slot]), FieldText(sample.Xing[slot])) << "slot " << slot;
        EXPECT_FALSE(FieldText(read.Xing[slot]).empty()) << "slot " << slot;
        EXPECT_EQ(FieldText(read.Ming[slot]), FieldText(sample.Ming[slot])) << "slot " << slot;
        EXPECT_EQ(FieldText(read.Zi[slot]), FieldText(sample.Zi[slot])) << "slot " << slot;
        EXPECT_EQ(FieldText(read.Yin[slot]), FieldText(sample.Yin[slot])) << "slot " << slot;
        const std::string_view story = FieldText(read.Story[slot]);
        EXPECT_EQ(story, FieldText(sample.Story[slot])) << "slot " << slot;
        EXPECT_NE(story.find("\r\n"), std::string_view::npos) << "slot " << slot;
        EXPECT_LE(story.size(), 150u) << "slot " << slot;
        EXPECT_EQ(read.Face[slot], sample.Face[slot]);
        additionalFace |= read.Face[slot] >= 2000;
        for (std::uint16_t person : {read.Father[slot], read.Mother[slot], read.Another[slot], read.Xiangxing[slot]})
            relatedToEachOther |= person >= 650 && person < 650 + kSlotCount;
    }
    EXPECT_GE(officers, 10);
    EXPECT_TRUE(additionalFace);
    EXPECT_TRUE(relatedToEachOther);
}

TEST_F(SampleGame, OptionsLeaveFilesOutAndEveryRunWritesTheSameBytes)
{
    QTemporaryDir other;
    ASSERT_TRUE(MakeSampleGame(other.path(), {.additionalArchive = false, .officerFile = false}));
    const QDir out(other.path());
    EXPECT_FALSE(QFile::exists(out.filePath("grp/grpaface.s10")));
    EXPECT_FALSE(QFile::exists(out.filePath("My Documents/Koei/San10/TPrsn/TPERSON.S10")));
    EXPECT_EQ(ReadAll(out.filePath("grp/grpfaces.s10")), ReadAll(PathOf("grp/grpfaces.s10")));

    ASSERT_TRUE(MakeSampleGame(other.path()));
    for (const char* file : {"grp/grpaface.s10", "My Documents/Koei/San10/TPrsn/TPERSON.S10"})
        EXPECT_EQ(ReadAll(out.filePath(file)), ReadAll(PathOf(file))) << file;
}

TEST(SampleGameFailure, ReportsAFolderItCannotWrite)
{
    QTemporaryDir dir;
    QFile blocker(QDir(dir.path()).filePath("grp"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    QString error;
    EXPECT_FALSE(MakeSampleGame(dir.path(), {}, &error));
    EXPECT_TRUE(error.contains("grpfaces.s10")) << qPrintable(error);
}

TEST(SampleFaceShown, RefusesPicturesThatAreNotSamplePortraits)
{
    EXPECT_EQ(SampleFaceShown(DecodePortraitRecord(std::span<const char, 6144>(QByteArray(6144, '\0').constData(), 6144))), -1);
    EXPECT_EQ(SampleFaceShown(QImage()), -1);
    QImage wrongSize = DecodePortraitRecord(std::span<const char, 6144>(MakeSamplePortraitRecord(7).constData(), 6144)).copy(0, 0, 64, 79);
    EXPECT_EQ(SampleFaceShown(wrongSize), -1);
    // Taken back from a label's pixmap, in true colour, the number still reads.
    const QImage shown = QPixmap::fromImage(DecodePortraitRecord(
        std::span<const char, 6144>(MakeSamplePortraitRecord(2049).constData(), 6144))).toImage();
    EXPECT_NE(shown.format(), QImage::Format_Indexed8);
    EXPECT_EQ(SampleFaceShown(shown), 2049);
}

} // namespace
