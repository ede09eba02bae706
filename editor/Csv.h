#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Comma-separated text as spreadsheets write it (RFC 4180): records end in CR LF (a lone LF or
// CR is taken too), a cell holding a separator, a quote or a line break is quoted, and a quote
// inside a quoted cell is doubled. The reader is strict: a stray quote is an error, not a guess.

struct CsvRecord {
    int line = 0; // the line of the text the record starts on, from 1
    QStringList cells;
};

struct CsvParse {
    std::vector<CsvRecord> records;
    std::optional<QString> error; // set when the text is not well formed; records are then partial
};

// Splits a text into records. A line break inside a quoted cell stays in the cell as it was
// written. An empty last line is no record. separator is ',' unless the text says otherwise
// (see GuessCsvSeparator).
CsvParse ReadCsv(const QString& text, QChar separator = u',');

// The separator of a text: the first of ',', ';' and tab found outside quotes on its first
// line, or ',' when there is none. Spreadsheets in some languages save with ';', and "Unicode
// text" with tabs.
QChar GuessCsvSeparator(const QString& text);

// One record, cells quoted where they need to be, ended by CR LF.
QString WriteCsvRecord(const QStringList& cells);
