#pragma once

#include <QByteArray>
#include <QString>
#include <QValidator>
#include <optional>

// Officer texts are stored as GBK bytes in fixed fields, so the editor's text controls count
// what they hold in GBK bytes. A line break is stored as CR LF and counts 2.

// How a text measures in GBK: the bytes of the characters that have a GBK form, and how many
// characters have none. A zero character counts as having none: it would end the stored text.
struct GbkMeasure {
    int bytes = 0;
    int unencodable = 0;
};
GbkMeasure MeasureGbk(const QString& text);

// The GBK byte length of a text ("\n", "\r\n" and a lone "\r" count 2), or -1 when a character
// has no GBK form.
int GbkByteLength(const QString& text);

// The bytes a text field stores for a text: GBK, every line break as CR LF, cut at a character
// boundary to at most maxBytes. Nothing when a character of the text has no GBK form.
std::optional<QByteArray> GbkFieldBytes(const QString& text, int maxBytes);

// Refuses, as it is typed or pasted, any text of a line edit longer than maxBytes GBK bytes or
// holding a character that GBK cannot represent.
class GbkLengthValidator : public QValidator {
    Q_OBJECT

public:
    explicit GbkLengthValidator(int maxBytes, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    int maxBytes() const { return maxBytes_; }

private:
    int maxBytes_;
};
