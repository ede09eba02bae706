#include "portraits/FaceArchive.h"

#include "portraits/ArchiveFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>

namespace {

class FaceArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("grpfaces.s10");
        QByteArray bytes(100, '\0');
        for (int i = 0; i < 100; ++i)
            bytes[i] = static_cast<char>(i);
        PutBytes(path, 0, bytes);
        ASSERT_TRUE(archive.Open(path));
    }

    QTemporaryDir dir;
    QString path;
    FaceArchive archive;
};

TEST_F(FaceArchiveTest, ReadsOnlyWhatTheFileHolds)
{
    struct Case {
        const char* name;
        qint64 position;
        int size;
        qint64 expected;
    };
    const Case cases[] = {
        {"inside", 10, 8, 8},        {"up to the end", 92, 8, 8}, {"short at the end", 96, 8, 4},
        {"at the end", 100, 8, 0},   {"beyond the end", 5000, 8, 0},
        {"negative", -1, 8, 0},      {"far negative", -100000, 8, 0},
    };
    for (const Case& c : cases) {
        std::array<char, 16> buffer;
        buffer.fill('\x7F');
        const qint64 got = archive.ReadAt(c.position, std::span<char>(buffer.data(), c.size));
        EXPECT_EQ(got, c.expected) << c.name;
        for (int i = 0; i < 16; ++i) {
            const char want = i < got ? static_cast<char>(c.position + i) : '\x7F';
            EXPECT_EQ(buffer[i], want) << c.name << ", byte " << i;
        }
    }
}

TEST_F(FaceArchiveTest, EveryReadStartsAtItsOwnPosition)
{
    std::array<char, 4> buffer{};
    archive.ReadAt(50, buffer);
    ASSERT_EQ(archive.ReadAt(10, buffer), 4);
    EXPECT_EQ(buffer[0], 10);
    ASSERT_EQ(archive.ReadAt(10, buffer), 4);
    EXPECT_EQ(buffer[0], 10);
}

TEST_F(FaceArchiveTest, EmptyHandlesReadNothing)
{
    std::array<char, 4> buffer{};
    FaceArchive moved(std::move(archive));
    EXPECT_TRUE(moved.IsOpen());
    EXPECT_FALSE(archive.IsOpen());
    EXPECT_EQ(archive.ReadAt(0, buffer), 0);
    EXPECT_EQ(moved.ReadAt(0, buffer), 4);

    moved.Close();
    EXPECT_FALSE(moved.IsOpen());
    EXPECT_EQ(moved.ReadAt(0, buffer), 0);
}

TEST_F(FaceArchiveTest, AFailedOpenLeavesTheHandleEmpty)
{
    for (const QString& bad : {dir.filePath("missing.s10"), dir.path(), QString()}) {
        EXPECT_FALSE(archive.Open(bad)) << qPrintable(bad);
        EXPECT_FALSE(archive.IsOpen()) << qPrintable(bad);
    }
    EXPECT_TRUE(archive.Open(path));
}

} // namespace
