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

// Reads the named file into the table; `loaded`, if given, receives the file's bytes. On failure
// returns a message naming the file, the reason and what to do, and the table is left exactly as
// it was. Only regular files of kOfficerFileSize up to kMaxFileSize bytes are read.
[[nodiscard]] std::optional<QString> ReadOfficerFile(const QString& path, OfficerTable& table,
                                                     QByteArray* loaded = nullptr);

// Checks the file, writes its current bytes to path + ".bak" atomically, then replaces the file
// atomically with those bytes patched from the table. On failure returns a message; the file is
// then unchanged and the backup holds either its earlier bytes or a full copy of the file.
[[nodiscard]] std::optional<QString> WriteOfficerFile(const QString& path, const OfficerTable& table);

struct OfficerFileSave {
    std::optional<QString> error; // nothing was saved
    bool changedOnDisk = false;   // the file is not the expected bytes; nothing was touched
    QByteArray written;           // after a save: the bytes now in the file
};

// WriteOfficerFile, but only over the file as it was loaded or last saved: when `expected` is
// given and the file's bytes differ from it, nothing is touched and changedOnDisk is set.
[[nodiscard]] OfficerFileSave WriteOfficerFileIfUnchanged(const QString& path, const OfficerTable& table,
                                                          const std::optional<QByteArray>& expected);
