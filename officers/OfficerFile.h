#pragma once

#include "OfficerTable.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Reading and writing the officer file. Texts are Shift-JIS in the file and GBK in the table.

// Fills the table from the bytes of a whole officer file, converting the texts to GBK.
// Bytes shorter than kOfficerFileSize are left alone.
void UnpackOfficerRecords(const QByteArray& file, OfficerTable& table);

// Writes the owned bytes of every record into the bytes of a whole officer file, converting
// the texts to Shift-JIS; every other byte keeps its value. The bytes must hold at least
// kOfficerFileSize bytes.
void PatchOfficerRecords(QByteArray& file, const OfficerTable& table);

// Reads the named file into the table. On failure returns a message naming the file and the
// reason, and the table is left exactly as it was.
[[nodiscard]] std::optional<QString> ReadOfficerFile(const QString& path, OfficerTable& table);

// Copies the file to path + ".bak", then replaces the file atomically with its current bytes
// patched from the table. On failure returns a message; the file is then unchanged.
[[nodiscard]] std::optional<QString> WriteOfficerFile(const QString& path, const OfficerTable& table);
