#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Officer texts are GBK bytes; Qt controls hold Unicode. These convert at the control boundary.
QString GbkToString(const QByteArray& gbk);

// The GBK bytes of a text, or nothing when a character has no GBK form.
std::optional<QByteArray> StringToGbk(const QString& text);
