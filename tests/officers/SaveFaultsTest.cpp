#include "FileChecks.h"
#include "codeconv/Jislib.h"
#include "officers/OfficerFile.h"
#include "officers/SafeFile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

constexpr int kFileSize = 28604;

// A fault for the step hook: `step` of the n-th replace (1 the backup, 2 the file, 0 every
// replace) fails with `error`, after `passes` such steps went through.
struct Fault {
    FileStep step;
    int error;
    int replace;
    int passes = 0;
};

Fault fault{};
int replaces = 0;
int passed = 0;

int FailStep(FileStep step)
{
    if (step == FileStep::Open)
        ++replaces;
    if (step != fault.step || (fault.replace != 0 && fault.replace != replaces))
        return 0;
    if (passed < fault.passes) {
        ++passed;
        return 0;
    }
    return fault.error;
}

class SaveFaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadCodeTable());
        ASSERT_TRUE(dir.isValid());
        Prepare(dir.path());
    }

    void TearDown() override { file_testing::SetStepHook(nullptr); }

    // An officer file (every slot empty, a pattern in the bytes the editor does not own), an
    // older backup, and a table with one edit.
    void Prepare(const QString& folder)
    {
        path = folder + "/TPERSON.S10";
        QByteArray bytes(kFileSize, '\0');
        for (int i = 0; i < kFileSize; ++i)
            bytes[i] = static_cast<char>(i * 7);
        Write(path, bytes);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        Write(path + ".bak", "older backup");
        ASSERT_FALSE(ReadOfficerFile(path, table));
        table.Wuli[5] = 99;
        original = FileBytes(path);
    }

    static void Write(const QString& p, const QByteArray& bytes)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    void Inject(const Fault& f)
    {
        fault = f;
        replaces = 0;
        passed = 0;
        file_testing::SetStepHook(&FailStep);
    }

    QTemporaryDir dir;
    QString path;
    QByteArray original;
    OfficerTable table{};
};

TEST_F(SaveFaultsTest, AFailedStepSaysWhatHappenedAndKeepsTheFileAndAFullBackup)
{
    struct Row {
        const char* name;
        Fault fault;
        const char* says;
        bool backupIsCopy; // the backup was replaced by a copy of the file before the fault
    };
    const Row rows[] = {
        {"backup_disk_full_midway", {FileStep::Write, ENOSPC, 1, 2}, "磁盘空间不足", false},
        {"backup_no_permission", {FileStep::Open, EACCES, 1}, "没有权限", false},
        {"backup_read_only_file_system", {FileStep::Open, EROFS, 1}, "只读", false},
        {"backup_sync_io_error", {FileStep::Sync, EIO, 1}, "读写磁盘时出错", false},
        {"file_disk_full_midway", {FileStep::Write, ENOSPC, 2, 1}, "磁盘空间不足", true},
        {"file_quota_at_close", {FileStep::Close, EDQUOT, 2}, "磁盘空间不足", true},
        {"file_rename_denied", {FileStep::Rename, EACCES, 2}, "没有权限", true},
        {"file_in_use", {FileStep::Open, ETXTBSY, 2}, "正被占用", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Write(path, original);
        Write(path + ".bak", "older backup");
        Inject(row.fault);
        const std::optional<QString> error = WriteOfficerFile(path, table);
        file_testing::SetStepHook(nullptr);
        ASSERT_TRUE(error);
        ExpectClearMessage(*error, path, row.says);
        EXPECT_EQ(FileBytes(path), original);
        EXPECT_EQ(FileBytes(path + ".bak"), row.backupIsCopy ? original : QByteArray("older backup"));
        ExpectNothingElseIn(dir.path());
    }
}

TEST_F(SaveFaultsTest, AnUncommonErrorStillNamesItsNumber)
{
    Inject({FileStep::Rename, EXDEV, 2});
    const std::optional<QString> error = WriteOfficerFile(path, table);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("系统错误 %1").arg(EXDEV))) << error->toStdString();
}

TEST_F(SaveFaultsTest, FileSystemsThatCannotKeepPermissionsStillSave)
{
    // FAT refuses fchmod with EPERM or ENOSYS, some FUSE drivers with ENOTSUP, and some cannot
    // sync at all.
    const std::pair<const char*, Fault> rows[] = {
        {"fat_mode", {FileStep::SetMode, EPERM, 0}},
        {"fat_mode_not_implemented", {FileStep::SetMode, ENOSYS, 0}},
        {"fuse_mode", {FileStep::SetMode, ENOTSUP, 0}},
        {"fuse_owner", {FileStep::SetOwner, EPERM, 0}},
        {"fuse_sync", {FileStep::Sync, EINVAL, 0}},
    };
    for (const auto& [name, f] : rows) {
        SCOPED_TRACE(name);
        Write(path, original);
        if (f.step == FileStep::SetOwner && ::chown(QFile::encodeName(path).constData(), 4242, 4242) != 0)
            continue; // giving the file away needs root; without it the owner is ours anyway
        Inject(f);
        const std::optional<QString> error = WriteOfficerFile(path, table);
        file_testing::SetStepHook(nullptr);
        EXPECT_FALSE(error) << error->toStdString();
        EXPECT_EQ(FileBytes(path + ".bak"), original);
        EXPECT_EQ(static_cast<unsigned char>(FileBytes(path)[4 + 5 * 260 + 0x18]), 99);
        ExpectNothingElseIn(dir.path());
    }
}

TEST_F(SaveFaultsTest, WhatAKilledSaveLeftIsReplacedByTheNextSave)
{
    // A leftover may be anything, even a link to a file that must not be written through.
    const QString victim = dir.filePath("victim");
    Write(victim, "keep me");
    Write(path + ".qm-tmp", "half a file");
    ASSERT_TRUE(QFile::link(victim, path + ".bak.qm-tmp"));

    ASSERT_FALSE(WriteOfficerFile(path, table));
    EXPECT_EQ(FileBytes(path + ".bak"), original);
    EXPECT_EQ(FileBytes(victim), "keep me");
    ExpectNothingElseIn(dir.path(), {"victim"});
}

// A real full disk, where a write comes back short before the system names the error. Needs
// the right to mount a small tmpfs, so it runs as root only.
TEST(SaveOnAFullDisk, IsReportedAsAFullDiskAndKeepsEverything)
{
    ASSERT_TRUE(LoadCodeTable());
    // 48 KiB hold the file but not its backup as well; 64 KiB hold both, not a third copy.
    for (const char* size : {"size=48k", "size=64k"}) {
        SCOPED_TRACE(size);
        QTemporaryDir mountPoint;
        ASSERT_TRUE(mountPoint.isValid());
        const QByteArray where = QFile::encodeName(mountPoint.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, size) != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        const QString path = mountPoint.filePath("TPERSON.S10");
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_EQ(f.write(QByteArray(kFileSize, '\x11')), kFileSize);
        }
        OfficerTable table{};
        ASSERT_FALSE(ReadOfficerFile(path, table));
        table.Wuli[0] = 1;

        const std::optional<QString> error = WriteOfficerFile(path, table);
        ASSERT_TRUE(error);
        ExpectClearMessage(*error, path, "磁盘空间不足");
        EXPECT_EQ(FileBytes(path), QByteArray(kFileSize, '\x11'));
        EXPECT_TRUE(!QFileInfo::exists(path + ".bak") || FileBytes(path + ".bak") == QByteArray(kFileSize, '\x11'));
        ExpectNothingElseIn(mountPoint.path());
        ::umount2(where.constData(), MNT_DETACH);
    }
}

} // namespace
