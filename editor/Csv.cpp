#include "editor/Csv.h"

namespace {

bool IsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// The length of the line break at i (CR LF counts as one break of two characters), 0 for none.
qsizetype BreakLength(const QString& text, qsizetype i)
{
    if (i >= text.size() || !IsLineBreak(text[i]))
        return 0;
    return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
}

} // namespace

CsvParse ReadCsv(const QString& text, QChar separator)
{
    CsvParse result;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    while (i < n) {
        CsvRecord record;
        record.line = line;
        while (true) {
            QString cell;
            if (i < n && text[i] == u'"') {
                const int opened = line;
                ++i;
                while (true) {
                    if (i >= n) {
                        result.error = QStringLiteral("第 %1 行开始的引号没有结束。").arg(opened);
                        return result;
                    }
                    if (text[i] == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            cell += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (const qsizetype b = BreakLength(text, i)) {
                        cell += text.mid(i, b);
                        i += b;
                        ++line;
                        continue;
                    }
                    cell += text[i++];
                }
                if (i < n && text[i] != separator && !IsLineBreak(text[i])) {
                    result.error = QStringLiteral("第 %1 行：引号结束后应是分隔符或换行。").arg(line);
                    return result;
                }
            } else {
                while (i < n && text[i] != separator && !IsLineBreak(text[i])) {
                    if (text[i] == u'"') {
                        result.error = QStringLiteral("第 %1 行：未加引号的格子里有引号。").arg(line);
                        return result;
                    }
                    cell += text[i++];
                }
            }
            record.cells << cell;
            if (i < n && text[i] == separator) {
                ++i;
                continue;
            }
            break;
        }
        if (const qsizetype b = BreakLength(text, i)) {
            i += b;
            ++line;
        }
        result.records.push_back(std::move(record));
    }
    return result;
}

QChar GuessCsvSeparator(const QString& text)
{
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && IsLineBreak(c))
            break;
        else if (!quoted && (c == u',' || c == u';' || c == u'\t'))
            return c;
    }
    return u',';
}

QString WriteCsvRecord(const QStringList& cells)
{
    QString out;
    for (qsizetype k = 0; k < cells.size(); ++k) {
        const QString& cell = cells[k];
        if (k > 0)
            out += u',';
        // Blanks at either end are quoted too, so that a spreadsheet keeps them.
        const bool quote = cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\r') || cell.contains(u'\n')
                           || cell.startsWith(u' ') || cell.endsWith(u' ');
        if (!quote) {
            out += cell;
            continue;
        }
        out += u'"';
        for (const QChar c : cell) {
            if (c == u'"')
                out += u'"';
            out += c;
        }
        out += u'"';
    }
    out += QStringLiteral("\r\n");
    return out;
}
