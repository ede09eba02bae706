#include "portraits/PortraitLocation.h"

#include "portraits/ArchiveFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PortraitLocation, MainArchiveRecordsFollowTheHead)
{
    const FaceArchive none; // main positions are computed, never read
    struct Case {
        std::int32_t face;
        qint64 position;
    };
    const Case cases[] = {
        {0, 37260},
        {1, 37260 + 6144},
        {130, 37260 + 6144 * 130},  // the gap draws face 131
        {131, 37260 + 6144 * 130},
        {1593, 9499020},
        {1595, 37260 + 6144 * 1136}, // face 1189's record
        {1999, 9499020},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecordPosition(c.face, none), c.position) << "face " << c.face;
}

class AddIndexTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("grpaface.s10");
        PutBytes(path, 316, Le32(0x00012345));      // face 2000
        PutBytes(path, 316 + 120, Le32(-2));        // face 2001: a negative position
        PutBytes(path, 320, QByteArray(116, '\x55')); // the rest of an entry is not read
        PutBytes(path, 6196, Le32(0x12345678));     // face 2049, the last entry
        ASSERT_TRUE(archive.Open(path));
    }

    QTemporaryDir dir;
    QString path;
    FaceArchive archive;
};

TEST_F(AddIndexTable, PositionsComeFromTheEntries)
{
    EXPECT_EQ(ReadFaceOffset(1541, archive), 0x00012345);
    EXPECT_EQ(ReadFaceOffset(1590, archive), 0x12345678);
    EXPECT_EQ(RecordPosition(2000, archive), 0x00012345);
    EXPECT_EQ(RecordPosition(2001, archive), -2);
    EXPECT_EQ(RecordPosition(2049, archive), 0x12345678);
    // 1594 takes face 2000's entry from whichever archive it is given.
    EXPECT_EQ(RecordPosition(1594, archive), 0x00012345);
}

TEST_F(AddIndexTable, MissingEntriesNameNoRecord)
{
    EXPECT_EQ(RecordPosition(2050, archive), -1);     // entry beyond the file
    EXPECT_EQ(RecordPosition(65535, archive), -1);    // the largest stored face
    EXPECT_EQ(ReadFaceOffset(1538, archive), -1);     // entry before the start of the file
    EXPECT_EQ(RecordPosition(2049, FaceArchive()), -1);

    QFile(path).resize(6198); // cuts face 2049's entry in half
    FaceArchive cut;
    ASSERT_TRUE(cut.Open(path));
    EXPECT_EQ(RecordPosition(2049, cut), -1);
    EXPECT_EQ(RecordPosition(2000, cut), 0x00012345);
}

} // namespace
