#pragma once

#include <QByteArray>
#include <QString>
#include <QValidator>
#include <optional>

// Officer texts are stored as GBK bytes in fixed fields, so the editor's text controls count
// what they hold in GBK bytes. A line break is stored as CR LF and counts 2.

// Which characters a text field can store. Names, style name and biography go to the game as
// Shift-JIS, so their characters need a row in the code table as well as a GBK form; the
// reading is carried as it is and takes any GBK character.
enum class TextCode { Gbk, Game };

// How a text measures in GBK: the bytes of the characters that can be stored, and how many
// characters cannot. A zero character counts as one that cannot: it would end the stored text.
struct GbkMeasure {
    int bytes = 0;
    int unencodable = 0;
};
GbkMeasure MeasureGbk(const QString& text, TextCode code = TextCode::Gbk);

// The GBK byte length of a text ("\n", "\r\n" and a lone "\r" count 2), or -1 when a character
// has no GBK form.
int GbkByteLength(const QString& text);

// The bytes a text field stores for a text: GBK, every line break as CR LF, cut at a character
// boundary to at most maxBytes. Nothing when a character of the text has no GBK form.
std::optional<QByteArray> GbkFieldBytes(const QString& text, int maxBytes);

// What is left of an edit that turned `before` into `after` and broke the rule: of the inserted
// part, the characters that can be stored, up to where the limit is reached, as a limited edit
// of a desktop platform keeps the leading part of a paste. `note` says what was left out.
struct LimitedEdit {
    QString text;
    qsizetype cursor = 0; // just after what was kept
    QString note;
};

// Nothing when `after` may stand: it keeps the rule, or only removes text from `before` (a
// stored text over the limit may be shortened, never made worse).
std::optional<LimitedEdit> LimitEdit(const QString& before, const QString& after, int maxBytes, TextCode code,
                                     const QString& label);

// Holds a line edit, as it is typed or pasted, to maxBytes GBK bytes and to characters its field
// can store; a paste that does not fit is cut (see LimitEdit) and `limited` says why. A text the
// program shows while `showing` is set is taken as it is.
class GbkLengthValidator : public QValidator {
    Q_OBJECT

public:
    explicit GbkLengthValidator(int maxBytes, QObject* parent = nullptr, TextCode code = TextCode::Gbk,
                                QString label = QString());

    State validate(QString& input, int& pos) const override;
    int maxBytes() const { return maxBytes_; }

    // The line edit's text as it stands; connect its textChanged here.
    void Track(const QString& text) { current_ = text; }
    void SetShowing(bool showing) { showing_ = showing; }

signals:
    void limited(const QString& note) const;

private:
    int maxBytes_;
    TextCode code_;
    QString label_;
    QString current_;
    bool showing_ = false;
};
