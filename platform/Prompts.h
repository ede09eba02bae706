#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Where the open-file dialog starts and the folders its sidebar lists; empty means Qt's own choice.
struct OpenFilePlaces {
    QString startDir;
    QStringList sidebar;

    bool operator==(const OpenFilePlaces&) const = default;
};

// Every modal prompt the program shows goes through this interface, so that flows which ask
// the user something can be driven by tests without a person.
class Prompts {
public:
    enum class Answer { Save, Commit, Discard, Cancel };

    virtual ~Prompts() = default;

    // A plain message box with the program's title and an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // A message box with its own caption and an OK button.
    virtual void MessageBox(QWidget* parent, const QString& text, const QString& caption) = 0;
    // The box that reports an exception raised in a handler.
    virtual void ErrorBox(QWidget* parent, const QString& text) = 0;
    // The open-file dialog; an empty result means the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter, const OpenFilePlaces& places = {}) = 0;
    // Asks what to do with unsaved edits. Without offerSave only Discard and Cancel are offered.
    virtual Answer AskUnsaved(QWidget* parent, const QString& text, bool offerSave) = 0;
    // Asks what to do with edits in the controls that were not committed: Commit, Discard or Cancel.
    virtual Answer AskUncommitted(QWidget* parent, const QString& text) = 0;
    // A yes/no question; `yes` names the button that goes ahead. True when the user goes ahead.
    virtual bool Confirm(QWidget* parent, const QString& text, const QString& yes) = 0;

    enum class DiskAnswer { Overwrite, Reload, Cancel };
    // Asks what to do about a file that another program changed. Without offerOverwrite only
    // Reload and Cancel are offered.
    virtual DiskAnswer AskFileChanged(QWidget* parent, const QString& text, bool offerOverwrite) = 0;
};
