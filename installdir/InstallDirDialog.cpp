#include "InstallDirDialog.h"

#include "installdir/InstallIni.h"
#include "platform/Guard.h"
#include "ui_InstallDirDialog.h"

#include <QDir>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QScreen>

TForm_InstallDir::TForm_InstallDir(QWidget* owner, const QString& iniDir, Prompts& prompts, const QString& configDir)
    : QDialog(owner)
    , ui_(std::make_unique<Ui::TForm_InstallDir>())
    , iniDir_(iniDir)
    , configDir_(configDir)
    , prompts_(prompts)
{
    ui_->setupUi(this);
    ShellTreeView_InstallDir = ui_->ShellTreeView_InstallDir;
    Btn_Ok = ui_->Btn_Ok;
    Btn_Cancel = ui_->Btn_Cancel;
    setFixedSize(size());
    // Centred on the screen: at start-up the owner has not been shown yet.
    if (const QScreen* where = screen())
        move(where->availableGeometry().center() - rect().center());

    model_ = new QFileSystemModel(this);
    model_->setReadOnly(true);
    // Hidden folders too: a Wine prefix such as ~/.wine is one.
    model_->setFilter(QDir::AllDirs | QDir::Drives | QDir::Hidden | QDir::NoDotAndDotDot);
    model_->setRootPath(QDir::rootPath());
    ShellTreeView_InstallDir->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        ShellTreeView_InstallDir->hideColumn(column);
    const QModelIndex root = model_->index(QDir::rootPath());
    ShellTreeView_InstallDir->expand(root);
    ShellTreeView_InstallDir->setCurrentIndex(root);

    connect(Btn_Ok, &QPushButton::clicked, this, GuardedSlot(prompts_, this, &TForm_InstallDir::Btn_OkClick));
    connect(Btn_Cancel, &QPushButton::clicked, this, GuardedSlot(prompts_, this, &TForm_InstallDir::Btn_CancelClick));

    InstallPath = ReadRememberedDir(iniDir_, configDir_);
}

TForm_InstallDir::~TForm_InstallDir() = default;

void TForm_InstallDir::Btn_OkClick()
{
    InstallPath = SelectedPath();
    if (!WriteRememberedDir(iniDir_, configDir_, InstallPath))
        prompts_.ShowMessage(this, QStringLiteral("无法创建配置文件"));
    accept();
}

void TForm_InstallDir::Btn_CancelClick()
{
    InstallPath.clear();
    reject();
}

QString TForm_InstallDir::SelectedPath() const
{
    const QModelIndexList selected = ShellTreeView_InstallDir->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : model_->filePath(selected.first());
}

void TForm_InstallDir::keyPressEvent(QKeyEvent* event)
{
    // Escape presses the cancel button, which empties the answer; closing through the title bar
    // (QDialog's own reject) keeps the answer loaded from tessovar.ini.
    if (event->matches(QKeySequence::Cancel)) {
        Btn_Cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
