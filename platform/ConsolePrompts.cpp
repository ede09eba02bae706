#include "ConsolePrompts.h"

#include <cstdio>

namespace {

void PrintLine(const QString& text)
{
    std::fputs((text + u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace

void ConsolePrompts::ShowMessage(QWidget*, const QString& text)
{
    PrintLine(text);
}

void ConsolePrompts::MessageBox(QWidget*, const QString& text, const QString& caption)
{
    PrintLine(caption + QStringLiteral("：") + text);
}

void ConsolePrompts::ErrorBox(QWidget*, const QString& text)
{
    PrintLine(text);
}

QString ConsolePrompts::OpenFileName(QWidget*, const QString&, const OpenFilePlaces&)
{
    return {};
}

Prompts::Answer ConsolePrompts::AskUnsaved(QWidget*, const QString&, bool)
{
    return Answer::Cancel;
}

Prompts::Answer ConsolePrompts::AskUncommitted(QWidget*, const QString&)
{
    return Answer::Cancel;
}

bool ConsolePrompts::Confirm(QWidget*, const QString&, const QString&)
{
    return false;
}

Prompts::DiskAnswer ConsolePrompts::AskFileChanged(QWidget*, const QString&, bool)
{
    return DiskAnswer::Cancel;
}
