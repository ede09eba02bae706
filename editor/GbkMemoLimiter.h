#pragma once

#include "editor/GbkLimit.h"

#include <QObject>
#include <QString>

class QPlainTextEdit;

// Holds a multi-line edit to a number of GBK bytes (a line break counts 2) and to characters
// its field can store. Of an edit that breaks the rule only what fits is kept (see LimitEdit),
// so typing past the limit does nothing and a long paste keeps its leading part; `limited`
// says why. The program's own setPlainText is taken as it is; a text so put in that
// is already over the limit, or holds a character GBK lacks, may be shortened or cleaned by the
// user, but never made worse.
class GbkMemoLimiter : public QObject {
    Q_OBJECT

public:
    // The limiter is owned by the memo.
    GbkMemoLimiter(QPlainTextEdit* memo, int maxBytes, TextCode code = TextCode::Gbk, QString label = QString());

    int maxBytes() const { return maxBytes_; }

signals:
    void limited(const QString& note);

private:
    void OnTextChanged();
    void OnCursorPositionChanged();
    void Accept(const QString& text);

    QPlainTextEdit* memo_;
    int maxBytes_;
    TextCode code_;
    QString label_;
    QString accepted_;
    int anchor_ = 0;
    int position_ = 0;
    bool reverting_ = false;
};
