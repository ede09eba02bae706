#pragma once

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Checks shared by the tests of reading and saving the officer file.

inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A message names the file, says what happened in Chinese, and carries no English reason.
inline void ExpectClearMessage(QString message, const QString& path, const char* says)
{
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::fromUtf8(says))) << message.toStdString();
    message.remove(path + ".bak").remove(path).remove(QStringLiteral("TPERSON.S10")).remove(QStringLiteral("FIFO"));
    EXPECT_FALSE(message.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")))) << message.toStdString();
}

// Nothing but the file, its backup and the names in `allowed` is in a folder.
inline void ExpectNothingElseIn(const QString& folder, const QStringList& allowed = {})
{
    for (const QString& entry : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
        EXPECT_TRUE(entry == "TPERSON.S10" || entry == "TPERSON.S10.bak" || allowed.contains(entry))
            << "left behind: " << entry.toStdString();
}
