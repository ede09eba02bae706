#include "QtPrompts.h"

#include "OpenFileDialog.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The program's own boxes carry its name; Qt would otherwise show the executable's.
QString Title()
{
    return QStringLiteral("Quillmark");
}

} // namespace

void QtPrompts::ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, Title(), text);
}

void QtPrompts::MessageBox(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox::information(parent, caption, text);
}

void QtPrompts::ErrorBox(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, Title(), text);
}

QString QtPrompts::OpenFileName(QWidget* parent, const QString& filter, const OpenFilePlaces& places)
{
    const std::unique_ptr<QFileDialog> dialog = MakeOpenFileDialog(parent, filter, places);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->selectedFiles().value(0);
}

Prompts::Answer QtPrompts::AskUnsaved(QWidget* parent, const QString& text, bool offerSave)
{
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::NoButton, parent);
    QPushButton* save = offerSave ? box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole) : nullptr;
    QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (save && box.clickedButton() == save)
        return Answer::Save;
    if (box.clickedButton() == discard)
        return Answer::Discard;
    return Answer::Cancel;
}

Prompts::DiskAnswer QtPrompts::AskFileChanged(QWidget* parent, const QString& text, bool offerOverwrite)
{
    QMessageBox box(QMessageBox::Warning, Title(), text, QMessageBox::NoButton, parent);
    QPushButton* overwrite =
        offerOverwrite ? box.addButton(QStringLiteral("覆盖"), QMessageBox::DestructiveRole) : nullptr;
    QPushButton* reload = box.addButton(QStringLiteral("重新载入"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (overwrite && box.clickedButton() == overwrite)
        return DiskAnswer::Overwrite;
    if (box.clickedButton() == reload)
        return DiskAnswer::Reload;
    return DiskAnswer::Cancel;
}

Prompts::Answer QtPrompts::AskUncommitted(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::NoButton, parent);
    QPushButton* commit = box.addButton(QStringLiteral("确认修改"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("放弃修改"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(commit);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == commit)
        return Answer::Commit;
    if (box.clickedButton() == discard)
        return Answer::Discard;
    return Answer::Cancel;
}

bool QtPrompts::Confirm(QWidget* parent, const QString& text, const QString& yes)
{
    QMessageBox box(QMessageBox::Warning, Title(), text, QMessageBox::NoButton, parent);
    QPushButton* goAhead = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == goAhead;
}
