#include "portraits/FaceArchive.h"

#include <QFile>

FaceArchive::FaceArchive() = default;
FaceArchive::~FaceArchive() = default;
FaceArchive::FaceArchive(FaceArchive&& other) noexcept = default;
FaceArchive& FaceArchive::operator=(FaceArchive&& other) noexcept = default;

bool FaceArchive::Open(const QString& path)
{
    Close();
    if (path.isEmpty())
        return false;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return false;
    file_ = std::move(file);
    return true;
}

void FaceArchive::Close()
{
    file_.reset();
}

bool FaceArchive::IsOpen() const
{
    return file_ != nullptr;
}

qint64 FaceArchive::ReadAt(qint64 position, std::span<char> buffer) const
{
    if (!file_ || position < 0 || position >= file_->size() || !file_->seek(position))
        return 0;
    qint64 got = 0;
    const auto wanted = static_cast<qint64>(buffer.size());
    while (got < wanted) {
        const qint64 n = file_->read(buffer.data() + got, wanted - got);
        if (n <= 0)
            break;
        got += n;
    }
    return got;
}
