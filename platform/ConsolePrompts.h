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
    Answer AskUncommitted(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text, const QString& yes) override;
    DiskAnswer AskFileChanged(QWidget* parent, const QString& text, bool offerOverwrite) override;
};
