#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

// Archive fixtures are written byte by byte at literal positions, independent of the code under test.

// Grows the file to at least `size` bytes; the new bytes are zero (and sparse on disk).
inline void GrowFile(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || (file.size() < size && !file.resize(size)))
        qFatal("cannot grow fixture %s", qPrintable(path));
}

inline void PutBytes(const QString& path, qint64 position, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(position) || file.write(bytes) != bytes.size())
        qFatal("cannot write fixture %s", qPrintable(path));
}

inline QByteArray Le32(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(v >> (8 * i));
    return bytes;
}

// A 6144-byte record whose pixel and palette bytes depend on a seed, so records tell apart.
inline QByteArray PatternRecord(int seed)
{
    QByteArray record(6144, '\0');
    for (int i = 0; i < 6144; ++i)
        record[i] = static_cast<char>((i * 7 + i / 64 * 3 + seed * 31) & 0xFF);
    return record;
}
