#pragma once

#include "Prompts.h"

#include <QStringList>
#include <deque>
#include <vector>

// A fake for tests: records every prompt and answers from queues set up beforehand.
// An open dialog with no queued answer is cancelled, and so is every question with no queued
// answer.
class RecordingPrompts final : public Prompts {
public:
    struct Shown {
        enum class Kind { Message, MessageBox, Error, OpenFile, AskUnsaved, AskUncommitted, Confirm, AskFileChanged } kind;
        QString text;    // message text, or the filter of an open dialog
        QString caption; // the caption of a captioned box
        bool operator==(const Shown&) const = default;
    };

    void ShowMessage(QWidget* parent, const QString& text) override;
    void MessageBox(QWidget* parent, const QString& text, const QString& caption) override;
    void ErrorBox(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& filter, const OpenFilePlaces& places = {}) override;
    Answer AskUnsaved(QWidget* parent, const QString& text, bool offerSave) override;
    Answer AskUncommitted(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text, const QString& yes) override;
    DiskAnswer AskFileChanged(QWidget* parent, const QString& text, bool offerOverwrite) override;

    std::vector<Shown> shown;
    std::deque<QString> openFileAnswers;
    std::vector<OpenFilePlaces> openFilePlaces; // the places of every open dialog, in order
    std::deque<Answer> unsavedAnswers;
    std::deque<Answer> uncommittedAnswers; // none queued: Cancel
    std::deque<bool> confirmAnswers;       // none queued: no
    std::deque<DiskAnswer> fileChangedAnswers;

    // The texts of every prompt shown, in order (for compact assertions).
    QStringList Texts() const;
};
