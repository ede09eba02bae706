#include "TForm_Main.h"

#include "app/TForm_Help.h"
#include "installdir/ArchivePaths.h"
#include "officers/OfficerFile.h"
#include "officers/Roster.h"
#include "platform/Gbk.h"
#include "platform/Guard.h"
#include "ui_TForm_Main.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace {

const QString kOpenFilter = QStringLiteral("三国志X自登陆武将文件 (TPERSON.S10)");

} // namespace

TForm_Main::TForm_Main(const InstallDirEnv& env, QWidget* parent)
    : QMainWindow(parent)
    , ui_(std::make_unique<Ui::TForm_Main>())
    , env_(env)
    , prompts_(env.prompts)
{
    ui_->setupUi(this);
    SetUpControls();
    ConnectHandlers();

    FileName.clear();
    OpenArchives(ResolveInstallDir(this, env_));
    ResetView();
}

TForm_Main::~TForm_Main() = default;

void TForm_Main::OpenArchives(const QString& installDir)
{
    const ArchivePaths paths = ArchivePathsFor(installDir);
    FaceFile.Open(paths.faceFile);
    AddFaceFile.Open(paths.addFaceFile);
}

void TForm_Main::ResetView()
{
    CurrentSlot = 0;
    Shown.fill(1);
}

bool TForm_Main::IsModified() const
{
    return !(OfficerTable == *savedTable_);
}

// Asks before committed edits that were not saved are dropped by Open or Reload.
bool TForm_Main::MayDropEdits()
{
    if (!IsModified())
        return true;
    return prompts_.AskUnsaved(this, QStringLiteral("修改尚未保存，放弃这些修改吗？"), false)
           == Prompts::Answer::Discard;
}

void TForm_Main::Menu_OpenClick()
{
    if (!MayLeaveEdits() || !MayDropEdits())
        return;
    const QString path = prompts_.OpenFileName(this, kOpenFilter, OpenDialogPlaces(env_.game, FileName));
    if (path.isEmpty())
        return;
    LoadFrom(path);
}

void TForm_Main::R1Click()
{
    if (!FileName.isEmpty() && (!MayLeaveEdits() || !MayDropEdits()))
        return;
    LoadOfficerFile();
}

void TForm_Main::Menu_SaveClick()
{
    if (!MayLeaveEdits())
        return;
    SaveOfficerFile();
}

void TForm_Main::Menu_ExitClick()
{
    close();
}

void TForm_Main::Menu_HelpClick()
{
    TForm_Help help(this, ShownPath(env_.game.prefix, env_.game.home));
    help.exec();
}

void TForm_Main::X1Click()
{
    const QString dir = ChooseInstallDir(this, env_);
    FaceFile.Close();
    AddFaceFile.Close();
    if (dir.isEmpty()) {
        prompts_.ShowMessage(this, QStringLiteral("无法定位安装路径,可能无法显示头像!"));
        return;
    }
    OpenArchives(dir);
}

void TForm_Main::FormClose()
{
    FaceFile.Close();
    AddFaceFile.Close();
}

void TForm_Main::LoadOfficerFile()
{
    if (FileName.isEmpty()) {
        prompts_.ShowMessage(this, QStringLiteral("请先打开一个存档文件！"));
        Menu_OpenClick();
        return;
    }
    LoadFrom(FileName);
}

// A failed load changes nothing: not the table, the list, the editor nor FileName.
bool TForm_Main::LoadFrom(const QString& path)
{
    QByteArray bytes;
    if (const std::optional<QString> error = ReadOfficerFile(path, OfficerTable, &bytes)) {
        prompts_.ErrorBox(this, *error);
        return false;
    }
    disk_.Track(path, bytes);
    FileName = path;
    ResetView();
    *savedTable_ = OfficerTable;
    ClearRecord();
    FillList();
    FillRelationNames();
    return true;
}

void TForm_Main::SaveOfficerFile()
{
    if (FileName.isEmpty()) {
        prompts_.ShowMessage(this, QStringLiteral("请先打开新武将登陆文件！"));
        Menu_OpenClick();
        return;
    }
    SaveTo(FileName);
}

bool TForm_Main::SaveTo(const QString& path)
{
    switch (disk_.Save(prompts_, this, path, OfficerTable)) {
    case FileOnDisk::SaveOutcome::Saved:
        break;
    case FileOnDisk::SaveOutcome::ReloadWanted:
        LoadFrom(path);
        return false;
    case FileOnDisk::SaveOutcome::NotSaved:
        return false;
    }
    *savedTable_ = OfficerTable;
    return true;
}

// With nothing unsaved, the game's newer officers are offered; otherwise Save will ask.
void TForm_Main::FileChangedOnDisk()
{
    if (!IsModified() && disk_.AskReload(prompts_, this))
        R1Click();
}

void TForm_Main::closeEvent(QCloseEvent* event)
{
    if (!MayLeaveEdits()) {
        event->ignore();
        return;
    }
    if (IsModified()) {
        const Prompts::Answer answer =
            prompts_.AskUnsaved(this, QStringLiteral("修改尚未保存，退出前保存吗？"), true);
        bool mayClose = answer == Prompts::Answer::Discard;
        if (answer == Prompts::Answer::Save) {
            // Without a file there is nowhere to save; Save would only offer Open.
            if (FileName.isEmpty())
                prompts_.ShowMessage(this, QStringLiteral("请先打开新武将登陆文件！"));
            else
                mayClose = SaveTo(FileName);
        }
        if (!mayClose) {
            event->ignore();
            return;
        }
    }
    FormClose();
    event->accept();
}

// Menu shortcuts act before the focused control: Ctrl+X ends the program and Ctrl+H opens the
// about box even from inside an edit box, where they would otherwise cut or delete.
bool TForm_Main::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && (watched == ui_->Image_Face || watched == ui_->Image_NoFace)) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            Run([this] { Image_FaceClick(); });
        return true;
    }
    if (auto* box = qobject_cast<QComboBox*>(watched)) {
        // A stray wheel over a closed list must not change a choice.
        if (event->type() == QEvent::Wheel && !box->hasFocus()) {
            event->ignore();
            return true;
        }
        // Delete or Backspace takes a choice list back to no selection.
        if (event->type() == QEvent::KeyPress && !box->isEditable()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && box->isEnabled()) {
                box->setCurrentIndex(-1);
                return true;
            }
        }
    }
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* action : {ui_->Menu_Open, ui_->R1, ui_->Menu_Save, ui_->Menu_Exit, ui_->Menu_Help})
            if (action->shortcut() == pressed)
                return true; // left unaccepted, so the shortcut fires
    }
    return QMainWindow::eventFilter(watched, event);
}
