#pragma once

#include "Prompts.h"

// The real prompts, as Qt message boxes and the Qt file dialog.
class QtPrompts final : public Prompts {
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
