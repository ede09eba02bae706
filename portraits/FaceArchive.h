#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <span>

class QFile;

// A portrait archive opened read-only, or nothing when no archive is open. The owner keeps it
// for as long as the archive is in use and lends it out by const reference.
class FaceArchive {
public:
    FaceArchive();
    ~FaceArchive();
    FaceArchive(FaceArchive&& other) noexcept;
    FaceArchive& operator=(FaceArchive&& other) noexcept;
    FaceArchive(const FaceArchive&) = delete;
    FaceArchive& operator=(const FaceArchive&) = delete;

    // Closes whatever was open, then opens the file for reading. False leaves the handle empty.
    bool Open(const QString& path);
    void Close();
    [[nodiscard]] bool IsOpen() const;

    // Reads up to buffer.size() bytes starting at an absolute position and returns how many it
    // got: fewer near the end of the file, none for a negative position, one beyond the end or
    // an empty handle. Every read seeks first, so earlier reads never matter.
    qint64 ReadAt(qint64 position, std::span<char> buffer) const;

private:
    std::unique_ptr<QFile> file_;
};
