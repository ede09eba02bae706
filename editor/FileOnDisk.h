#pragma once

#include "officers/OfficerTable.h"

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class Prompts;
class QWidget;

// The officer file as the editor last loaded or saved it, byte for byte, and whether another
// program has changed it since: the game rewrites this file whenever the player registers an
// officer there, and a save must not put stale officers over those without a word.
class FileOnDisk : public QObject {
    Q_OBJECT

public:
    explicit FileOnDisk(QObject* parent = nullptr);

    // After a load or a save: `bytes` are what the file at `path` holds now.
    void Track(const QString& path, const QByteArray& bytes);
    // The file's bytes as loaded or last saved.
    const QByteArray& Known() const { return known_; }

    enum class SaveOutcome { Saved, NotSaved, ReloadWanted };
    // Saves the table into `path`. When the file is not what was loaded or last saved, asks
    // whether to overwrite it, reload it or do nothing. Failures are shown as error boxes.
    SaveOutcome Save(Prompts& prompts, QWidget* parent, const QString& path, const OfficerTable& table);

    // Asks whether to reload the file another program changed.
    bool AskReload(Prompts& prompts, QWidget* parent) const;

    // How long changes must have stopped before the file is compared: the game may write in steps.
    static constexpr int kSettleMs = 200;

signals:
    // The file now holds bytes other than those loaded or saved, and other than those reported
    // last. Not emitted during a save or while an earlier report is being answered.
    void changedOnDisk();

private:
    void Watch();
    void Settled();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString path_;
    QByteArray known_;
    QByteArray reported_;
    bool busy_ = false;
};
