#pragma once

#include "officers/OfficerTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// The officer exchange file: a CSV table that spreadsheets open, one row per officer.
//
// Columns, under the editor's labels: 编号 (officer number), the texts, 性别, the numbers, the
// other choices, the relations, 列传, then one column per skill under its caption.
// - Numbers are decimal.
// - A choice is its entry's text; a byte with no entry is written as its number.
// - A relation is a roster number, "无" for none (65535); any other stored value is written as
//   its number and read back only into a slot that holds exactly that value.
// - Texts are Unicode; 列传 keeps its line breaks inside the cell.
// - 读音 is bytes the program never converts: printable ASCII as itself, "\\" for a backslash,
//   "\xHH" for any other byte. Reading back also takes other characters as their GBK bytes.
// - A skill is "1" when the officer has it and empty otherwise ("0" reads as empty).
// Export then import changes no byte of the table.

// The column labels in the order an export writes them.
QStringList OfficerCsvLabels();

// The file for the given slots, in the given order: UTF-8 with a byte order mark, so that
// spreadsheets keep the Chinese, and a header row.
QByteArray ExportOfficerCsv(const OfficerTable& table, const std::vector<int>& officers);

// An exchange file read and split into cells, its header understood.
struct OfficerCsv {
    struct Row {
        int row = 0; // the row a spreadsheet shows it on; the header is row 1
        QStringList cells;
    };
    std::vector<int> columns; // per cell position, the column (an index into OfficerCsvLabels), -1 for ignored
    std::vector<Row> rows;    // rows with some content, in file order
};

struct OfficerCsvRead {
    OfficerCsv csv;
    QStringList errors; // empty when the file was understood
};

// Decodes (UTF-8 with or without a byte order mark, UTF-16 with one, or else GBK as a Chinese
// spreadsheet may save it), splits and reads the header. Columns may come in any order and any
// may be left out; an unknown or repeated column is an error.
OfficerCsvRead ParseOfficerCsv(const QByteArray& bytes);

// As ParseOfficerCsv, reading the named file first. Only a regular file of a sensible size is
// read, so a FIFO or a device never blocks the program.
OfficerCsvRead ReadOfficerCsvFile(const QString& path);

// Writes the bytes to the named file, replacing it atomically. On failure returns a message.
[[nodiscard]] std::optional<QString> WriteOfficerCsvFile(const QString& path, const QByteArray& bytes);

// The slot a row's 编号 names, when it names one.
std::optional<int> RowSlot(const OfficerCsv& csv, const OfficerCsv::Row& row);

struct OfficerCsvImport {
    std::unique_ptr<OfficerTable> table; // the table after the import; null when there were errors
    std::vector<int> officers;           // the slots the rows replaced, in file order
    QStringList errors;                  // each naming its row, its column and the reason
};

// Applies every row to a copy of the table, each replacing the fields its columns give in the
// slot its 编号 names (or, with intoSlot, the one row of the file into that slot). A row goes
// through the record editor's commit, so every check of a commit holds. Fields whose column is
// left out, and skill bits that carry no skill, keep their values. Any error anywhere gives no
// table.
OfficerCsvImport ImportOfficerCsv(const OfficerCsv& csv, const OfficerTable& table,
                                  std::optional<int> intoSlot = std::nullopt);
