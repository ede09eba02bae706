#include "FileOnDisk.h"

#include "officers/OfficerFile.h"
#include "officers/SafeFile.h"
#include "platform/Prompts.h"

#include <QFileInfo>
#include <utility>

namespace {

// Holds a flag for the length of a scope.
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag), was_(std::exchange(flag, true)) {}
    ~Busy() { flag_ = was_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
    bool was_;
};

} // namespace

FileOnDisk::FileOnDisk(QObject* parent)
    : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &FileOnDisk::Settled);
    // Every event restarts the wait; the folder too, because a file replaced by a rename (as
    // our own saves do) is no longer the one the watch was on.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
}

void FileOnDisk::Track(const QString& path, const QByteArray& bytes)
{
    if (path != path_) {
        if (const QStringList watched = watcher_.files() + watcher_.directories(); !watched.isEmpty())
            watcher_.removePaths(watched);
        path_ = path;
    }
    known_ = bytes;
    reported_.clear();
    Watch();
}

void FileOnDisk::Watch()
{
    if (path_.isEmpty())
        return;
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
    const QString folder = QFileInfo(path_).absolutePath();
    if (!watcher_.directories().contains(folder))
        watcher_.addPath(folder);
}

void FileOnDisk::Settled()
{
    if (busy_) {
        settle_.start(); // look again once the save or the question is over
        return;
    }
    Watch();
    FileContents now;
    if (ReadRegularFile(path_, now) || now.bytes == known_ || now.bytes == reported_)
        return; // gone, unreadable (a save will say why), our own save, or asked about already
    reported_ = now.bytes;
    const Busy busy(busy_);
    emit changedOnDisk();
}

FileOnDisk::SaveOutcome FileOnDisk::Save(Prompts& prompts, QWidget* parent, const QString& path,
                                         const OfficerTable& table)
{
    const Busy busy(busy_);
    const std::optional<QByteArray> expected = path == path_ ? std::optional(known_) : std::nullopt;
    OfficerFileSave result = WriteOfficerFileIfUnchanged(path, table, expected);
    if (result.changedOnDisk) {
        const QString question =
            QStringLiteral("文件“%1”在载入或上次保存之后被其他程序（例如游戏）改动了。\n\n"
                           "覆盖：用编辑器里的武将覆盖文件里的武将（其他程序的改动会丢失）；\n"
                           "重新载入：读入文件现在的内容（编辑器里未保存的修改会丢失）；\n"
                           "取消：不保存，什么也不改。")
                .arg(path);
        switch (prompts.AskFileChanged(parent, question, true)) {
        case Prompts::DiskAnswer::Overwrite:
            result = WriteOfficerFileIfUnchanged(path, table, std::nullopt);
            break;
        case Prompts::DiskAnswer::Reload:
            return SaveOutcome::ReloadWanted;
        case Prompts::DiskAnswer::Cancel:
            return SaveOutcome::NotSaved;
        }
    }
    if (result.error) {
        prompts.ErrorBox(parent, *result.error);
        return SaveOutcome::NotSaved;
    }
    Track(path, result.written);
    return SaveOutcome::Saved;
}

bool FileOnDisk::AskReload(Prompts& prompts, QWidget* parent) const
{
    const QString question =
        QStringLiteral("文件“%1”已被其他程序（例如游戏）改动。要重新载入，显示文件现在的武将吗？").arg(path_);
    return prompts.AskFileChanged(parent, question, false) == Prompts::DiskAnswer::Reload;
}
