// Writes a sample game folder for trying the editor without the game:
//   make_sample_game DIR [--no-additional]

#include "tools/SampleGame.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    SampleGameOptions options;
    options.additionalArchive = !args.removeAll(QStringLiteral("--no-additional"));
    if (args.size() != 1 || args.front().startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: make_sample_game DIR [--no-additional]\n");
        return 2;
    }
    QString error;
    if (!MakeSampleGame(args.front(), options, &error)) {
        std::fprintf(stderr, "make_sample_game: %s\n", qPrintable(error));
        return 1;
    }
    const QDir dir(args.front());
    for (const QString& file : {kSampleMainArchive, kSampleAddArchive, kSampleOfficerFile})
        if (file != kSampleAddArchive || options.additionalArchive)
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(dir.absoluteFilePath(file))));
    return 0;
}
