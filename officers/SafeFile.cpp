#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

file_testing::StepHook stepHook = nullptr;

int Injected(FileStep step)
{
    return stepHook ? stepHook(step) : 0;
}

// Runs one system call of a step, again after a signal; the result is 0 or the error number.
template <typename Call>
int Run(FileStep step, Call call)
{
    if (const int injected = Injected(step))
        return injected;
    while (call() < 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

// Errors by which a file system says it cannot keep permissions, owners or syncs at all.
bool Unsupported(int error)
{
    return error == EPERM || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP || error == EINVAL;
}

QString KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("一个文件夹");
    if (S_ISFIFO(mode))
        return QStringLiteral("一个命名管道（FIFO）");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("一个设备");
    if (S_ISSOCK(mode))
        return QStringLiteral("一个套接字");
    return QStringLiteral("一个特殊文件");
}

std::optional<FileFailure> NotRegular(mode_t mode)
{
    return FileFailure{QStringLiteral("它是%1，不是普通文件。请选择游戏的 TPERSON.S10 文件。").arg(KindOf(mode))};
}

std::optional<FileFailure> Failure(int error)
{
    return FileFailure{SystemReason(error)};
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

std::optional<FileFailure> TooLarge(qint64 size)
{
    return FileFailure{QStringLiteral("它有 %1 字节，超过了 %2 字节的上限；新武将登陆文件只有 28604 字节，"
                                      "这不是新武将登陆文件。请选择游戏的 TPERSON.S10 文件。")
                           .arg(size)
                           .arg(kMaxFileSize)};
}

} // namespace

QString SystemReason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间不足。请腾出一些空间后再试。");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限。请检查文件和所在文件夹的权限。");
    case EROFS:
        return QStringLiteral("所在的文件系统是只读的。请以可写方式挂载该磁盘，或把文件复制到可写的位置。");
    case EISDIR:
        return QStringLiteral("这是一个文件夹。请把它移走或改名后再试。");
    case ENOENT:
        return QStringLiteral("文件或文件夹不存在。请检查它是否被移动、改名或删除。");
    case ENOTDIR:
        return QStringLiteral("路径中有一部分不是文件夹。请检查文件的位置。");
    case EIO:
        return QStringLiteral("读写磁盘时出错。请检查磁盘或存储设备是否正常连接。");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("文件正被占用。请关闭正在使用它的程序后再试。");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件太多。请关闭一些程序后再试。");
    case ENAMETOOLONG:
        return QStringLiteral("文件名或路径太长。");
    case ELOOP:
        return QStringLiteral("符号链接层数太多或形成了循环。");
    case EFBIG:
        return QStringLiteral("文件超过了系统允许的大小。");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("设备不可用。请检查磁盘是否仍然连接。");
    case ENOMEM:
        return QStringLiteral("内存不足。请关闭一些程序后再试。");
    default:
        return QStringLiteral("系统错误 %1（%2）。").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString TemporaryNameFor(const QString& path)
{
    return path + QStringLiteral(".qm-tmp");
}

void file_testing::SetStepHook(StepHook hook)
{
    stepHook = hook;
}

std::optional<FileFailure> ReadRegularFile(const QString& path, FileContents& contents)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return Failure(errno);
    if (!S_ISREG(info.st_mode))
        return NotRegular(info.st_mode);
    if (info.st_size > kMaxFileSize)
        return TooLarge(info.st_size);

    // Non-blocking, in case a FIFO took the file's place since the check above.
    Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd)
        return Failure(errno);
    if (::fstat(fd.get(), &info) != 0)
        return Failure(errno);
    if (!S_ISREG(info.st_mode))
        return NotRegular(info.st_mode);

    // One byte more than the limit tells a file that grew past it since the check.
    QByteArray bytes(static_cast<qsizetype>(std::min<qint64>(info.st_size, kMaxFileSize) + 1), '\0');
    qsizetype filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (bytes.size() > kMaxFileSize)
                return TooLarge(filled);
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, kMaxFileSize + 1));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Failure(errno);
        if (n == 0)
            break;
        filled += n;
    }
    bytes.truncate(filled);
    contents = {std::move(bytes), info.st_mode & 0777, info.st_uid, info.st_gid};
    return std::nullopt;
}

std::optional<FileFailure> ReplaceFile(const QString& path, const QByteArray& bytes, mode_t mode, uid_t owner,
                                       gid_t group)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = QFile::encodeName(TemporaryNameFor(path));
    auto fail = [&](int error) {
        ::unlink(temporary.constData());
        return Failure(error);
    };

    // What an earlier, killed save left there is ours to replace.
    if (::unlink(temporary.constData()) != 0 && errno != ENOENT)
        return Failure(errno);
    int opened = -1;
    if (const int error = Run(FileStep::Open, [&] {
            return opened = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        }))
        return Failure(error);
    Descriptor fd(opened);

    // In pieces, so that a short write on a full disk goes on until the system names the error.
    constexpr qsizetype kPiece = 8192;
    for (qsizetype done = 0; done < bytes.size();) {
        const size_t piece = static_cast<size_t>(std::min(kPiece, bytes.size() - done));
        ssize_t n = 0;
        if (const int error = Run(FileStep::Write, [&] { return n = ::write(fd.get(), bytes.constData() + done, piece); }))
            return fail(error);
        if (n == 0)
            return fail(ENOSPC);
        done += n;
    }

    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return fail(errno);
    if (info.st_uid != owner || info.st_gid != group) {
        const int error = Run(FileStep::SetOwner, [&] { return ::fchown(fd.get(), owner, group); });
        if (error && !Unsupported(error))
            return fail(error);
    }
    if (const int error = Run(FileStep::SetMode, [&] { return ::fchmod(fd.get(), mode); }); error && !Unsupported(error))
        return fail(error);
    if (const int error = Run(FileStep::Sync, [&] { return ::fsync(fd.get()); }); error && !Unsupported(error))
        return fail(error);
    // close() is where some network file systems first report a full disk. It is not retried:
    // after an interruption the descriptor is gone already.
    int closeError = Injected(FileStep::Close);
    if (::close(fd.release()) != 0 && closeError == 0 && errno != EINTR)
        closeError = errno;
    if (closeError)
        return fail(closeError);
    if (const int error = Run(FileStep::Rename, [&] { return ::rename(temporary.constData(), target.constData()); }))
        return fail(error);

    // The rename itself lasts only once the folder is on disk.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir)
        Run(FileStep::SyncFolder, [&] { return ::fsync(dir.get()); });
    return std::nullopt;
}
