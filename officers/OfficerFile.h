#pragma once

#include "OfficerTable.h"
#include "RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Reading and writing the officer file. Texts are Shift-JIS in the file and GBK in the table.

// Fills the table from the bytes of a whole officer file, converting the texts to GBK.
// Bytes shorter than kOfficerFileSize are left alone.
void UnpackOfficerRecords(const QByteArray& file, OfficerTable& table);

// Writes the owned bytes of every record into the bytes of a whole officer file, converting
// the texts to Shift-JIS; every other byte keeps its value. A text equal to what the editor
// reads from its field keeps that field's bytes exactly. The bytes must hold at least
// kOfficerFileSize bytes.
void PatchOfficerRecords(QByteArray& file, const OfficerTable& table);

// A converted text (Xing, Ming, Zi or Story) of a slot as the editor reads it from the bytes
// of a whole officer file: GBK, up to its terminator. Empty for bytes shorter than
// kOfficerFileSize.
QByteArray FileText(const QByteArray& file, int slot, Field field);

// How many characters of a converted text (Xing, Ming, Zi or Story) of a slot, as the bytes
// of a whole officer file hold it, come into the editor as "? ": kanji that a changed text
// would lose for good. 0 for bytes shorter than kOfficerFileSize.
int UnshownCharacters(const QByteArray& file, int slot, Field field);

// Reads the named file into the table. On failure returns a message naming the file and the
// reason, and the table is left exactly as it was.
// `bytes`, when given, receives the file's bytes as read.
[[nodiscard]] std::optional<QString> ReadOfficerFile(const QString& path, OfficerTable& table,
                                                     QByteArray* bytes = nullptr);

// Copies the file to path + ".bak", then replaces the file atomically with its current bytes
// patched from the table. On failure returns a message; the file is then unchanged.
// `written`, when given, receives the bytes the file holds after a successful save.
[[nodiscard]] std::optional<QString> WriteOfficerFile(const QString& path, const OfficerTable& table,
                                                      QByteArray* written = nullptr);
