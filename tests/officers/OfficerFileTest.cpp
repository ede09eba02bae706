#include "codeconv/Jislib.h"
#include "officers/OfficerFile.h"
#include "FileChecks.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Offsets are written out here by hand, independent of the program's layout table.
constexpr int kFileSize = 28604;
constexpr int kTrailing = 7;
int At(int slot, int offset) { return 4 + 260 * slot + offset; }

// The bytes of a record the editor owns (byte 62, Registered, is checked apart).
bool Owned(int offset)
{
    static const std::pair<int, int> ranges[] = {
        {0, 8}, {14, 32}, {35, 40}, {47, 53}, {64, 66}, {70, 72}, {81, 260},
    };
    for (auto [from, to] : ranges)
        if (offset >= from && offset < to)
            return true;
    return false;
}

QByteArray RandomFile(quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(kFileSize + kTrailing, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

void Put(QByteArray& file, int at, std::initializer_list<int> bytes)
{
    for (int b : bytes)
        file[at++] = static_cast<char>(b);
}

class OfficerFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadCodeTable());
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("TPERSON.S10");
    }

    void WriteFile(const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    // The bytes of a regular file of sane size; empty for anything else.
    QByteArray SmallFileBytes(const QString& p) const
    {
        const QFileInfo info(p);
        return info.isFile() && info.size() < 2 * kFileSize ? FileBytes(p) : QByteArray();
    }

    void ExpectClearMessage(const QString& message, const char* says) const { ::ExpectClearMessage(message, path, says); }

    // A fixture with random everything, and known values in slots 0, 54 and 109.
    QByteArray Fixture()
    {
        QByteArray file = RandomFile(20261211);
        for (int slot = 0; slot < 110; ++slot)
            Put(file, At(slot, 71), {slot % 3 == 0 ? 0xFF : slot % 6}); // Type: every third empty
        // Slot 0: 刘备, Wuli FF FF, Yin without a terminator, skills byte 5 of FF.
        Put(file, At(0, 24), {0xFF, 0xFF});
        Put(file, At(0, 0), {0x29, 0x06});                          // Face 1577
        Put(file, At(0, 2), {0xFF, 0xFF});                          // Father none
        Put(file, At(0, 47), {0x81, 0x00, 0x00, 0x00, 0x00, 0xFF});
        Put(file, At(0, 81), {0x97, 0xAB, 0x00, 0x00, 0x00});       // 劉
        Put(file, At(0, 86), {0x94, 0xF5, 0x00, 0x11, 0x22});       // 備, junk after the terminator
        Put(file, At(0, 91), {0x00, 0x00, 0x00, 0x00, 0x00});
        Put(file, At(0, 96), {0x83, 0x8A, 0x83, 0x85, 0x83, 0x46, 0x83, 0x43, 0x83, 0x43, 0x83}); // Yin, 11 bytes
        Put(file, At(0, 107), {0x93, 0xAA, 0x0D, 0x0A, 0x41, 0x00}); // 頭 CR LF A
        Put(file, At(0, 71), {0x01});
        Put(file, At(0, 62), {0x00});
        // Slot 54: a surname of four bytes filling the field, and an over-long one in Ming.
        Put(file, At(54, 71), {0xFF});
        Put(file, At(54, 62), {0x7E});
        Put(file, At(54, 81), {0x92, 0xA3, 0x94, 0xF5, 0x00});          // 張備
        Put(file, At(54, 86), {0x41, 0x93, 0xAA, 0x93, 0xAA});          // A頭頭, no terminator
        Put(file, At(54, 91), {0x42, 0x43, 0x44, 0x45, 0x46});          // BCDEF, no terminator
        Put(file, At(54, 22), {0x50, 0x00});                            // Tongshuai 80
        // Slot 109: the last record.
        Put(file, At(109, 71), {0x03});
        Put(file, At(109, 30), {0x34, 0x12});                           // Meili 0x1234
        Put(file, At(109, 64), {0x90, 0x01});                           // Xiangxing 400
        return file;
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(OfficerFileTest, LoadReadsFieldsAndConvertsTexts)
{
    WriteFile(Fixture());
    OfficerTable t;
    ASSERT_FALSE(ReadOfficerFile(path, t));

    EXPECT_EQ(t.Wuli[0], 65535) << "16-bit fields are unsigned";
    EXPECT_EQ(t.Face[0], 1577);
    EXPECT_EQ(t.Father[0], kNoPerson);
    EXPECT_EQ(t.Type[0], 1);
    EXPECT_EQ(t.Skills[0][0], 0x81);
    EXPECT_EQ(t.Skills[0][5], 0xFF);
    EXPECT_EQ(FieldText(t.Xing[0]), "\xC1\xF5");            // 刘
    EXPECT_EQ(FieldText(t.Ming[0]), "\xB1\xB8");            // 备
    EXPECT_EQ(FieldText(t.Zi[0]), "");
    EXPECT_EQ(FieldText(t.Story[0]), "\xCD\xB7\r\nA");       // 头 CR LF A
    EXPECT_EQ(std::string(t.Yin[0].data(), 11), "\x83\x8A\x83\x85\x83\x46\x83\x43\x83\x43\x83");

    EXPECT_EQ(FieldText(t.Xing[54]), "\xD5\xC5\xB1\xB8");    // 张备: four bytes, terminator in the fifth
    EXPECT_EQ(FieldText(t.Ming[54]), "A\xCD\xB7") << "cut before the character that would cross width - 1";
    EXPECT_EQ(FieldText(t.Zi[54]), "BCDE");
    EXPECT_EQ(t.Tongshuai[54], 80);
    EXPECT_EQ(t.Meili[109], 0x1234);
    EXPECT_EQ(t.Xiangxing[109], 400);
}

TEST_F(OfficerFileTest, SaveAfterLoadKeepsEveryByteTheEditorDoesNotOwn)
{
    const QByteArray before = Fixture();
    WriteFile(before);
    OfficerTable t;
    ASSERT_FALSE(ReadOfficerFile(path, t));
    t.Wuli[54] = 90;
    ASSERT_FALSE(WriteOfficerFile(path, t));

    EXPECT_EQ(FileBytes(path + ".bak"), before) << "the backup is the file as it was";
    const QByteArray after = FileBytes(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(4), before.left(4)) << "header";
    EXPECT_EQ(after.mid(kFileSize), before.mid(kFileSize)) << "bytes after the last record";
    for (int slot = 0; slot < 110; ++slot) {
        for (int offset = 0; offset < 260; ++offset) {
            const int at = At(slot, offset);
            if (offset == 62) {
                const bool typed = static_cast<unsigned char>(before[At(slot, 71)]) != 0xFF;
                EXPECT_EQ(after[at], typed ? 1 : before[at]) << "Registered of slot " << slot;
            } else if (!Owned(offset)) {
                ASSERT_EQ(after[at], before[at]) << "slot " << slot << " offset " << offset;
            }
        }
    }
    EXPECT_EQ(after[At(54, 62)], 0x7E) << "an empty slot keeps its byte 62";
    EXPECT_EQ(after.mid(At(54, 24), 2), QByteArray("\x5A\x00", 2)) << "the edit";

    // Nothing else changed: texts the editor was not asked to touch keep every byte of their
    // fields, junk after a terminator and unterminated fields included.
    QByteArray expected = before;
    expected[At(54, 24)] = 0x5A;
    expected[At(54, 25)] = 0x00;
    for (int slot = 0; slot < 110; ++slot)
        if (static_cast<unsigned char>(before[At(slot, 71)]) != 0xFF)
            expected[At(slot, 62)] = 1;
    EXPECT_EQ(after, expected);
}

// Kanji with several rows in the table (秋 and its variant 穐, 岩 and 巌), one that comes in
// as "? " (柾) and one plain (雲): an open and a save write them all back as they were.
TEST_F(OfficerFileTest, TextsSurviveASaveAndAnEditedTextIsWrittenAsShown)
{
    QByteArray before = Fixture();
    Put(before, At(5, 81), {0x8F, 0x48, 0x8A, 0xE2, 0x00});             // 秋岩
    Put(before, At(5, 86), {0x88, 0xAA, 0x8A, 0xDE, 0x00});             // 穐巌
    Put(before, At(5, 91), {0x96, 0x8F, 0x89, 0x5F, 0x00});             // 柾雲
    Put(before, At(5, 107), {0x8F, 0x48, 0x96, 0x8F, 0x00, 0x77, 0x88}); // 秋柾, junk after
    WriteFile(before);
    OfficerTable t;
    ASSERT_FALSE(ReadOfficerFile(path, t));
    EXPECT_EQ(FieldText(t.Zi[5]), "? \xD4\xC6");                          // "? "云
    ASSERT_FALSE(WriteOfficerFile(path, t));
    QByteArray after = FileBytes(path);
    for (int slot = 0; slot < 110; ++slot)
        after[At(slot, 62)] = before[At(slot, 62)];
    EXPECT_EQ(after, before);

    // The player types 秋 over the surname: the game gets 秋 (8F 48), not its variant 穐.
    SetFieldText(t.Xing[5], "\xC7\xEF");
    ASSERT_FALSE(WriteOfficerFile(path, t));
    after = FileBytes(path);
    EXPECT_EQ(after.mid(At(5, 81), 5), QByteArray("\x8F\x48\0\0\0", 5)) << "converted, zeros after";
    EXPECT_EQ(after.mid(At(5, 86), 5), before.mid(At(5, 86), 5)) << "the given name is untouched";
    EXPECT_EQ(after.mid(At(5, 107), 7), before.mid(At(5, 107), 7));
}

TEST_F(OfficerFileTest, SaveKeepsThePermissionsAndOverwritesAnOldBackup)
{
    WriteFile(Fixture());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    {
        QFile old(path + ".bak");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old backup");
    }
    OfficerTable t;
    ASSERT_FALSE(ReadOfficerFile(path, t));
    ASSERT_FALSE(WriteOfficerFile(path, t));
    const QByteArray afterFirst = FileBytes(path);
    ASSERT_FALSE(WriteOfficerFile(path, t));
    EXPECT_EQ(FileBytes(path + ".bak"), afterFirst) << "the backup holds the file as it was after the first save";
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_EQ(QFile::permissions(path + ".bak") & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup)
        << "the backup has the file's own permissions";
}

TEST_F(OfficerFileTest, ASaveOverAFileChangedSinceItWasLoadedTouchesNothing)
{
    struct Change {
        const char* name;
        void (*apply)(const QString& path);
        bool asks; // reported as changed, with no error: the caller asks the player
        const char* says;
    };
    const Change changes[] = {
        {"unchanged", [](const QString&) {}, false, nullptr},
        {"an_officer_registered_by_the_game",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(At(40, 24));
             f.write("\x4D", 1);
         },
         true, nullptr},
        {"same_size_same_time_other_bytes",
         [](const QString& p) {
             const QDateTime when = QFileInfo(p).lastModified();
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(At(99, 200));
             f.write("\x01", 1);
             f.setFileTime(when, QFileDevice::FileModificationTime);
         },
         true, nullptr},
        {"truncated", [](const QString& p) { QFile(p).resize(4096); }, false, "截短"},
    };
    const QString backup = path + ".bak";
    for (const Change& c : changes) {
        SCOPED_TRACE(c.name);
        WriteFile(Fixture());
        {
            QFile older(backup);
            ASSERT_TRUE(older.open(QIODevice::WriteOnly | QIODevice::Truncate));
            older.write("older backup");
        }
        OfficerTable t;
        QByteArray loaded;
        ASSERT_FALSE(ReadOfficerFile(path, t, &loaded));
        EXPECT_EQ(loaded, Fixture());
        t.Wuli[40] = 99;
        c.apply(path);
        const QByteArray before = FileBytes(path);

        const OfficerFileSave result = WriteOfficerFileIfUnchanged(path, t, loaded);
        EXPECT_EQ(result.changedOnDisk, c.asks);
        if (c.says) {
            ASSERT_TRUE(result.error);
            ExpectClearMessage(*result.error, c.says);
        }
        if (c.asks || c.says) {
            EXPECT_EQ(FileBytes(path), before);
            EXPECT_EQ(FileBytes(backup), "older backup");
        } else {
            EXPECT_FALSE(result.error);
            EXPECT_EQ(result.written, FileBytes(path)) << "what was written is what the file holds";
            EXPECT_EQ(FileBytes(backup), before);
        }
    }
}

TEST_F(OfficerFileTest, SaveThroughASymbolicLinkWritesItsTargetAndKeepsTheLink)
{
    // Wine prefixes often reach the documents folder, or the file itself, through a link.
    const QString target = dir.filePath("real.s10");
    WriteFile(Fixture());
    ASSERT_TRUE(QFile::rename(path, target));
    ASSERT_TRUE(QFile::link(target, path));
    OfficerTable t;
    ASSERT_FALSE(ReadOfficerFile(path, t));
    t.Wuli[7] = 77;
    ASSERT_FALSE(WriteOfficerFile(path, t));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(static_cast<unsigned char>(FileBytes(target)[At(7, 24)]), 77);
    EXPECT_EQ(FileBytes(path + ".bak"), Fixture());
}

// Runs `call` on a thread. A call still blocked after two seconds (in an open of the FIFO at
// `fifo`) is freed by opening the FIFO's other end, and counts as blocked.
template <typename Call>
bool FinishesWithoutBlocking(const QString& fifo, Call call)
{
    std::future<void> done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(2)) == std::future_status::ready)
        return true;
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
        ::close(writer);
    done.wait();
    return false;
}

void MakeSocket(const QString& path)
{
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(name.size(), static_cast<qsizetype>(sizeof address.sun_path));
    std::copy(name.begin(), name.end(), address.sun_path);
    ASSERT_EQ(::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(s);
}

void Replace(const QString& path, const std::function<void(const QString&)>& make)
{
    QFile::remove(path);
    make(path);
}

struct Refusal {
    const char* name;
    std::function<void(const QString& path)> prepare;
    bool save;
    const char* says; // what the message must say
};

TEST_F(OfficerFileTest, RefusalsSayWhyAndLeaveTheTableTheFileAndTheBackupAsTheyWere)
{
    auto remove = [](const QString& p) { QFile::remove(p); };
    auto shorten = [](const QString& p) { QFile(p).resize(kFileSize - 1); };
    auto folder = [](const QString& p) { Replace(p, [](const QString& q) { QDir().mkdir(q); }); };
    auto fifo = [](const QString& p) { Replace(p, [](const QString& q) { ::mkfifo(QFile::encodeName(q).constData(), 0644); }); };
    auto socket = [](const QString& p) { Replace(p, MakeSocket); };
    auto zeros = [](const QString& p) { Replace(p, [](const QString& q) { QFile::link("/dev/zero", q); }); };
    auto grown = [](qint64 size) { return [size](const QString& p) { QFile(p).resize(size); }; };
    const Refusal refusals[] = {
        {"load_missing", remove, false, "不存在"},
        {"load_short", shorten, false, "不足"},
        {"load_directory", folder, false, "文件夹"},
        {"load_fifo", fifo, false, "命名管道"},
        {"load_socket", socket, false, "套接字"},
        {"load_device_zero", zeros, false, "设备"},
        {"load_a_byte_over_the_limit", grown(1024 * 1024 + 1), false, "上限"},
        {"load_5_GiB", grown(qint64{5} << 30), false, "上限"},
        {"save_missing", remove, true, "不存在"},
        {"save_short", shorten, true, "不足"},
        {"save_directory", folder, true, "文件夹"},
        {"save_fifo", fifo, true, "命名管道"},
        {"save_device_zero", zeros, true, "设备"},
        {"save_a_byte_over_the_limit", grown(1024 * 1024 + 1), true, "上限"},
        {"save_backup_is_directory", [folder](const QString& p) { folder(p + ".bak"); }, true, "文件夹"},
    };
    const QString backup = path + ".bak";
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        QDir(path).removeRecursively();
        QDir(backup).removeRecursively();
        QFile::remove(path);
        WriteFile(Fixture());
        {
            QFile older(backup);
            ASSERT_TRUE(older.open(QIODevice::WriteOnly));
            older.write("older backup");
        }
        OfficerTable t;
        ASSERT_FALSE(ReadOfficerFile(path, t));
        t.Wuli[3] = 1234;
        r.prepare(path);
        const QByteArray before = SmallFileBytes(path);
        const QByteArray backupBefore = SmallFileBytes(backup);
        const OfficerTable tableBefore = t;

        std::optional<QString> error;
        ASSERT_TRUE(FinishesWithoutBlocking(path, [&] {
            error = r.save ? WriteOfficerFile(path, t) : ReadOfficerFile(path, t);
        }));
        ASSERT_TRUE(error);
        ExpectClearMessage(*error, r.says);
        EXPECT_EQ(SmallFileBytes(path), before);
        EXPECT_EQ(SmallFileBytes(backup), backupBefore);
        EXPECT_EQ(t.Wuli, tableBefore.Wuli);
        EXPECT_EQ(t.Story, tableBefore.Story);
        ExpectNothingElseIn(dir.path());
    }
    QFile::remove(path); // the sparse giant
}

} // namespace
