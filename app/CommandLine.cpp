#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

CommandLine ParseCommandLine(const QStringList& arguments, bool strict)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quillmark：三国志X新武将档（TPERSON.S10）编辑器"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption gameDir(QStringLiteral("print-game-dir"),
                                     QStringLiteral("打印程序找到的三国志X安装目录后退出（找不到时退出码为 1）。"));
    parser.addOption(gameDir);
    parser.addPositionalArgument(QStringLiteral("文件"), QStringLiteral("启动后打开的新武将档，如 TPERSON.S10。"),
                                 QStringLiteral("[文件]"));

    const bool parsed = parser.parse(arguments);
    CommandLine line;
    // Printing wins over everything else on the line, as it does in most programs.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        line.action = CommandLine::Action::Print;
        line.text = parser.helpText();
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Print;
        line.text = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
        return line;
    }
    if (parser.isSet(gameDir)) {
        line.action = CommandLine::Action::PrintGameDir;
        return line;
    }
    if (!strict)
        return line;
    const QStringList files = parser.positionalArguments();
    if (!parsed || files.size() > 1) {
        line.action = CommandLine::Action::Error;
        const QString why = !parsed ? parser.errorText() : QStringLiteral("一次只能打开一个文件。");
        line.text = QStringLiteral("%1：%2\n用法见 %1 --help。\n").arg(QFileInfo(arguments.value(0)).fileName(), why);
        return line;
    }
    if (!files.isEmpty())
        line.file = QFileInfo(files.first()).absoluteFilePath();
    return line;
}
