#pragma once

#include <QObject>
#include <QString>

class QPlainTextEdit;

// Holds a multi-line edit to a number of GBK bytes (a line break counts 2) and to characters
// that GBK can represent. An edit that breaks the limit is undone at once, so typing or pasting
// past it does nothing. The program's own setPlainText is taken as it is; a text so put in that
// is already over the limit, or holds a character GBK lacks, may be shortened or cleaned by the
// user, but never made worse.
class GbkMemoLimiter : public QObject {
    Q_OBJECT

public:
    // The limiter is owned by the memo.
    GbkMemoLimiter(QPlainTextEdit* memo, int maxBytes);

    int maxBytes() const { return maxBytes_; }

private:
    void OnTextChanged();
    void OnCursorPositionChanged();
    bool Allowed(const QString& text) const;
    void Accept(const QString& text);

    QPlainTextEdit* memo_;
    int maxBytes_;
    QString accepted_;
    int acceptedBytes_ = 0;
    int acceptedUnencodable_ = 0;
    int anchor_ = 0;
    int position_ = 0;
    bool reverting_ = false;
};
