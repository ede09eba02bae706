#pragma once

#include "Prompts.h"

// Prompts for a run without windows: messages go to the error stream, and nothing is answered
// (an open dialog is cancelled, every question is answered "cancel" or "no", so edits are kept).
class ConsolePrompts final : public Prompts {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    void MessageBox(QWidget* parent, const QString& text, const QString& caption) override;
    void ErrorBox(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& filter, const OpenFilePlaces& places = {}) override;
    Answer AskUnsaved(QWidget* parent, const QString& text, bool offerSave) override;
    // Every other question is cancelled too.
    Answer AskUncommitted(QWidget*, const QString&) override { return Answer::Cancel; }
    bool Confirm(QWidget*, const QString&, const QString&) override { return false; }
    DiskAnswer AskFileChanged(QWidget*, const QString&, bool) override { return DiskAnswer::Cancel; }
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    int Choose(QWidget*, const QString&, const QStringList&) override { return -1; }
};
