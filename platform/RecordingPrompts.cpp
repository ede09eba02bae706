#include "RecordingPrompts.h"

void RecordingPrompts::ShowMessage(QWidget*, const QString& text)
{
    shown.push_back({Shown::Kind::Message, text, {}});
}

void RecordingPrompts::MessageBox(QWidget*, const QString& text, const QString& caption)
{
    shown.push_back({Shown::Kind::MessageBox, text, caption});
}

void RecordingPrompts::ErrorBox(QWidget*, const QString& text)
{
    shown.push_back({Shown::Kind::Error, text, {}});
}

QString RecordingPrompts::OpenFileName(QWidget*, const QString& filter, const OpenFilePlaces& places)
{
    shown.push_back({Shown::Kind::OpenFile, filter, {}});
    openFilePlaces.push_back(places);
    if (openFileAnswers.empty())
        return {};
    QString answer = openFileAnswers.front();
    openFileAnswers.pop_front();
    return answer;
}

Prompts::Answer RecordingPrompts::AskUnsaved(QWidget*, const QString& text, bool offerSave)
{
    shown.push_back({Shown::Kind::AskUnsaved, text, offerSave ? QStringLiteral("save") : QString()});
    if (unsavedAnswers.empty())
        return Answer::Cancel;
    Answer answer = unsavedAnswers.front();
    unsavedAnswers.pop_front();
    return answer;
}

Prompts::DiskAnswer RecordingPrompts::AskFileChanged(QWidget*, const QString& text, bool offerOverwrite)
{
    shown.push_back({Shown::Kind::AskFileChanged, text, offerOverwrite ? QStringLiteral("overwrite") : QString()});
    if (fileChangedAnswers.empty())
        return DiskAnswer::Cancel;
    DiskAnswer answer = fileChangedAnswers.front();
    fileChangedAnswers.pop_front();
    return answer;
}

QStringList RecordingPrompts::Texts() const
{
    QStringList texts;
    for (const Shown& s : shown)
        texts << s.text;
    return texts;
}

Prompts::Answer RecordingPrompts::AskUncommitted(QWidget*, const QString& text)
{
    shown.push_back({Shown::Kind::AskUncommitted, text, {}});
    if (uncommittedAnswers.empty())
        return Answer::Cancel;
    Answer answer = uncommittedAnswers.front();
    uncommittedAnswers.pop_front();
    return answer;
}

bool RecordingPrompts::Confirm(QWidget*, const QString& text, const QString& yes)
{
    shown.push_back({Shown::Kind::Confirm, text, yes});
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}
