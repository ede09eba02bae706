#include "OpenFileDialog.h"

#include <QFileDialog>
#include <QList>
#include <QSplitter>
#include <QUrl>

std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const QString& filter, const OpenFilePlaces& places)
{
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), places.startDir, filter);
    // Qt's own dialog, whose filters can be told to ignore case; a desktop's native one may not.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFilter((dialog->filter() & ~QDir::CaseSensitive) | QDir::Hidden);
    if (!places.sidebar.isEmpty()) {
        QList<QUrl> urls;
        for (const QString& dir : places.sidebar)
            urls << QUrl::fromLocalFile(dir);
        dialog->setSidebarUrls(urls);
        // Wide enough that "drive_c" reads whole; each entry's tip gives the full path.
        if (auto* splitter = dialog->findChild<QSplitter*>(QStringLiteral("splitter")))
            splitter->setSizes({150, 450});
    }
    return dialog;
}
