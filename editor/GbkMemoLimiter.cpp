#include "editor/GbkMemoLimiter.h"

#include "editor/GbkLimit.h"

#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

GbkMemoLimiter::GbkMemoLimiter(QPlainTextEdit* memo, int maxBytes, TextCode code, QString label)
    : QObject(memo), memo_(memo), maxBytes_(maxBytes), code_(code), label_(std::move(label))
{
    Accept(memo->toPlainText());
    // The document's own signal, so that a text set while the memo's signals are blocked is
    // still seen and a later refusal never brings back an older officer's text.
    connect(memo->document(), &QTextDocument::contentsChanged, this, &GbkMemoLimiter::OnTextChanged);
    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, &GbkMemoLimiter::OnCursorPositionChanged);
}

void GbkMemoLimiter::Accept(const QString& text)
{
    accepted_ = text;
    OnCursorPositionChanged();
}

void GbkMemoLimiter::OnTextChanged()
{
    if (reverting_)
        return;
    const QString text = memo_->toPlainText();
    if (text == accepted_)
        return;
    // setPlainText and clear() by the program leave nothing to undo, unlike every edit of the
    // user; the program's text is taken as it is. (Undoing all edits also lands here, on a text
    // accepted before.)
    const std::optional<LimitedEdit> edit =
        memo_->document()->isUndoAvailable() ? LimitEdit(accepted_, text, maxBytes_, code_, label_) : std::nullopt;
    if (!edit) {
        Accept(text);
        return;
    }

    // What fits of the edit, or the last accepted text with the cursor and selection it had.
    {
        const QScopedValueRollback<bool> guard(reverting_, true);
        memo_->setPlainText(edit->text);
        QTextCursor cursor = memo_->textCursor();
        if (edit->text == accepted_) {
            const int end = static_cast<int>(accepted_.size());
            cursor.setPosition(std::min(anchor_, end));
            cursor.setPosition(std::min(position_, end), QTextCursor::KeepAnchor);
        } else {
            cursor.setPosition(static_cast<int>(edit->cursor));
        }
        memo_->setTextCursor(cursor);
    }
    Accept(edit->text);
    emit limited(edit->note);
}

void GbkMemoLimiter::OnCursorPositionChanged()
{
    if (reverting_)
        return;
    // Only a cursor over the accepted text is worth restoring; during a refused edit the
    // cursor already stands in the text about to be undone.
    if (memo_->document()->characterCount() - 1 != accepted_.size() || memo_->toPlainText() != accepted_)
        return;
    const QTextCursor cursor = memo_->textCursor();
    anchor_ = cursor.anchor();
    position_ = cursor.position();
}
