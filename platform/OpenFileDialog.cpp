#include "OpenFileDialog.h"

#include <QFileDialog>

std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const QString& filter)
{
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), QString(), filter);
    // Qt's own dialog, whose filters can be told to ignore case; a desktop's native one may not.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    return dialog;
}
