#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <sys/types.h>

// Reading a file without ever blocking on something that is not a regular file, and replacing
// a file so that a failure or a kill at any moment leaves either its old or its new bytes.
// Failures come back as Chinese sentences (what happened, then what the player can do), never
// as exceptions.

// The largest file either function handles. An officer file has 28604 bytes; a megabyte leaves
// room for anything the game might append, while a file far larger is plainly something else
// and would only fill memory.
inline constexpr qint64 kMaxFileSize = 1024 * 1024;

// What a file read: its bytes and the owner and permission bits a replacement should keep.
struct FileContents {
    QByteArray bytes;
    mode_t mode = 0600; // permission bits only
    uid_t owner = 0;
    gid_t group = 0;
};

// A failure, as a Chinese sentence or two.
struct FileFailure {
    QString reason;
};

// Reads a whole regular file of at most kMaxFileSize bytes. Folders, FIFOs, devices and sockets
// are refused before they are opened for reading, and the opened file is checked again, so a
// FIFO put in its place meanwhile cannot block.
[[nodiscard]] std::optional<FileFailure> ReadRegularFile(const QString& path, FileContents& contents);

// Replaces `path` with `bytes`: writes `path` + ".qm-tmp" in the same folder, syncs it, renames
// it over `path` and syncs the folder (as far as the file system can: the new bytes are in
// place by then, so a folder that cannot be synced is no failure). The temporary name is fixed, so a save that was killed
// leaves at most that one file, which the next replace overwrites. Permission bits and owner
// that the file system cannot keep (FAT, some FUSE drivers) are not an error.
[[nodiscard]] std::optional<FileFailure> ReplaceFile(const QString& path, const QByteArray& bytes, mode_t mode,
                                                     uid_t owner, gid_t group);

// The Chinese reason for a system error number, with advice where the player can act on it.
QString SystemReason(int error);

// The name of the temporary file ReplaceFile writes beside `path`.
QString TemporaryNameFor(const QString& path);

// Steps of ReplaceFile at which tests can make a call fail or stop the process.
enum class FileStep : std::uint8_t { Open, Write, SetMode, SetOwner, Sync, Close, Rename, SyncFolder };

namespace file_testing {
// Called before each step; a non-zero result is taken as the step's error number and the step's
// system call is skipped. Tests only: null in the program.
using StepHook = int (*)(FileStep step);
void SetStepHook(StepHook hook);
} // namespace file_testing
