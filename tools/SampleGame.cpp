#include "tools/SampleGame.h"

#include "codeconv/Jislib.h"
#include "tools/SampleOfficers.h"
#include "tools/SamplePortraits.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail(QStringLiteral("cannot create the folder"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(file.errorString());
    return true;
}

// Every sample game holds the same archive, so it is made once per process.
const QByteArray& MainArchive()
{
    static const QByteArray archive = MakeSampleMainArchive();
    return archive;
}

} // namespace

bool MakeSampleGame(const QString& dir, const SampleGameOptions& options, QString* error)
{
    const QDir root(dir);
    if (!WriteFile(root.filePath(kSampleMainArchive), MainArchive(), error))
        return false;
    if (options.additionalArchive && !WriteFile(root.filePath(kSampleAddArchive), MakeSampleAddArchive(), error))
        return false;
    if (options.officerFile) {
        if (!LoadCodeTable()) {
            if (error)
                *error = QStringLiteral("the code table resource is unusable");
            return false;
        }
        if (!WriteFile(root.filePath(kSampleOfficerFile), MakeSampleOfficerFile(), error))
            return false;
    }
    return true;
}
