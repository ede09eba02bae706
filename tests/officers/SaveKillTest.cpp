#include "FileChecks.h"
#include "codeconv/Jislib.h"
#include "officers/OfficerFile.h"
#include "officers/RecordLayout.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>

namespace {

constexpr QFile::Permissions kFileMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
constexpr QFile::Permissions kOlderBackupMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther;

QFile::Permissions Mode(const QString& path)
{
    return QFile::permissions(path) & 0x7077;
}

struct Round {
    const char* name;
    bool olderBackup;
    bool throughLink; // the player's name is a link to the file in another folder
};

// A child process saves and is killed just before each step of the save in turn, each trial
// starting from whatever the one before left. After every kill the file holds its old or its
// new bytes, the backup is the older backup or a full copy of the file with the file's
// permissions, and nothing is left but the fixed temporary names the next save replaces.
TEST(SaveKillTest, AKillAtAnyStepLeavesTheOldOrTheNewFileAndAWholeBackup)
{
    ASSERT_TRUE(LoadCodeTable());
    const Round rounds[] = {
        {"first_save", false, false},
        {"over_an_older_backup", true, false},
        {"through_a_link", true, true},
    };
    int trials = 0;
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath("TPERSON.S10");
        const QString backup = path + ".bak";
        QString target = path;
        if (round.throughLink) {
            ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
            target = dir.filePath("real/TPERSON.S10");
            ASSERT_TRUE(QFile::link(target, path));
        }
        {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            QByteArray bytes(kOfficerFileSize, '\0');
            for (int i = 0; i < bytes.size(); ++i)
                bytes[i] = static_cast<char>(i % 251);
            ASSERT_EQ(f.write(bytes), bytes.size());
        }
        ASSERT_TRUE(QFile::setPermissions(target, kFileMode));
        if (round.olderBackup) {
            QFile f(backup);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("older backup");
            f.close();
            ASSERT_TRUE(QFile::setPermissions(backup, kOlderBackupMode));
        }

        for (int killAt = 1;; ++killAt) {
            SCOPED_TRACE(killAt);
            ASSERT_LT(killAt, 100) << "the save never ran to its end";
            const QByteArray old = FileBytes(target);
            const std::optional<QByteArray> olderBackup =
                QFileInfo::exists(backup) ? std::optional(FileBytes(backup)) : std::nullopt;
            const QFile::Permissions olderBackupMode = Mode(backup);
            const int wuli = 100 + ++trials;
            QByteArray saved = old;
            OfficerTable table{};
            UnpackOfficerRecords(old, table);
            table.Wuli[0] = static_cast<std::uint16_t>(wuli);
            PatchOfficerRecords(saved, table);
            ASSERT_NE(saved, old);

            QProcess child;
            child.start(QStringLiteral(QM_SAVE_CHILD), {path, QString::number(killAt), QString::number(wuli)});
            ASSERT_TRUE(child.waitForFinished(60000));
            const bool killed = child.exitStatus() == QProcess::CrashExit;
            if (!killed) {
                ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
            }

            const QByteArray now = FileBytes(target);
            EXPECT_TRUE(now == old || now == saved) << "the file is neither old nor new";
            EXPECT_EQ(Mode(target), kFileMode);
            EXPECT_EQ(QFileInfo(path).isSymLink(), round.throughLink);
            if (QFileInfo::exists(backup)) {
                const QByteArray b = FileBytes(backup);
                const bool older = olderBackup && b == *olderBackup && Mode(backup) == olderBackupMode;
                const bool copy = b == old && Mode(backup) == kFileMode;
                EXPECT_TRUE(older || copy) << "the backup is neither the older one nor a readable copy";
            } else {
                EXPECT_FALSE(olderBackup) << "the older backup is gone";
            }
            const QStringList temporaries = {"TPERSON.S10.qm-tmp", "TPERSON.S10.bak.qm-tmp"};
            ExpectNothingElseIn(dir.path(), round.throughLink ? QStringList{"real", temporaries[1]} : temporaries);
            if (round.throughLink)
                ExpectNothingElseIn(dir.filePath("real"), {temporaries[0]});

            if (!killed) {
                EXPECT_EQ(child.readAllStandardOutput().trimmed().toInt(), killAt - 1) << "every step was tried";
                EXPECT_EQ(now, saved);
                EXPECT_EQ(FileBytes(backup), old);
                ExpectNothingElseIn(dir.path(), round.throughLink ? QStringList{"real"} : QStringList{});
                if (round.throughLink)
                    ExpectNothingElseIn(dir.filePath("real"));
                break;
            }
        }
    }
    std::cout << "[ trials   ] " << trials << " saves, killed at every step but the last of each round\n";
    ::testing::Test::RecordProperty("trials", trials);
}

} // namespace
