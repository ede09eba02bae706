#include "Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString GbkToString(const QByteArray& gbk)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(gbk);
}

std::optional<QByteArray> StringToGbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
