#pragma once

#include "editor/FileOnDisk.h"
#include "editor/OfficerList.h"
#include "editor/RecordForm.h"
#include "installdir/ResolveInstallDir.h"
#include "officers/OfficerTable.h"
#include "platform/Guard.h"
#include "platform/Prompts.h"
#include "portraits/FaceArchive.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidgetItem;

namespace Ui {
class TForm_Main;
}

// The main window: the officer list, the search row, the record editor and the menu commands.
// It holds the officer table and the view state; the rules themselves live in their own files.
class TForm_Main : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm_Main(const InstallDirEnv& env, QWidget* parent = nullptr);
    ~TForm_Main() override;

    // Menu commands.
    void Menu_OpenClick();
    void R1Click();
    void Menu_SaveClick();
    void Menu_ExitClick();
    void Menu_HelpClick();
    void X1Click();
    void FormClose();

    // Opens `path` as Open does once its dialog has answered (a file named on the command line).
    bool OpenFile(const QString& path) { return LoadFrom(path); }
    void LoadOfficerFile();
    void SaveOfficerFile();
    void ResetView();

    // The officer list.
    void FillList();
    void FillRelationNames();
    void Btn_ReSearchClick();
    void ListView_SelPrsnColumnClick(int column);
    int ListView_SelPrsnCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const;
    void ListView_SelPrsnSelectItem(QTreeWidgetItem* item, bool selected);
    void ListView_SelPrsnClick();

    // The record editor.
    void ShowRecord();
    void ShowSkills();
    void Btn_MConfirmClick();
    void Btn_MCancelClick();
    void Btn_AllSkillsClick();
    void Btn_BTClick();
    void Image_FaceClick();

    // Whether the table differs from the file as last loaded or saved.
    bool IsModified() const;
    // Whether the controls differ from the slot they show.
    bool HasUncommittedEdits() const;
    // Another program changed the officer file on disk.
    void FileChangedOnDisk();

    SortState Sort; // SortColumn and SortAscending
    FaceArchive FaceFile;
    FaceArchive AddFaceFile;
    ::OfficerTable OfficerTable{};
    QString FileName;
    std::int32_t CurrentSlot = 0;
    std::array<std::uint8_t, kSlotCount> Shown{};

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpControls();
    void ConnectHandlers();
    // Every handler runs guarded: an exception becomes the error box, never crosses Qt.
    template <typename Handler>
    void Run(Handler&& handler)
    {
        Guarded(prompts_, this, std::forward<Handler>(handler));
    }

    bool LoadFrom(const QString& path);
    bool SaveTo(const QString& path);
    bool MayDropEdits();
    bool MayLeaveEdits();
    bool CommitControls();
    void ClearRecord();
    void SetRecordEnabled(bool enabled);
    void FocusControl(const QString& name);
    void ShowSkillBits(const std::array<std::uint8_t, kSkillBytes>& bits);
    void ShowNumbers(const RecordForm& form);
    void ShowLimitNote(QWidget* control, const QString& note);
    void UpdateToolTips();
    void FitNameColumn();
    QTreeWidgetItem* RowOfSlot(int slot) const;
    void SelectRowOfSlot(int slot);
    void OpenArchives(const QString& installDir);
    void DrawPortrait(std::int32_t face);
    int SlotOfRow(const QTreeWidgetItem* item) const;
    void ShowListRow(QTreeWidgetItem* item, const QByteArray& name, int slot);
    RecordForm ReadControls() const;
    void SetRosterEntry(int position, const QString& name);

    std::unique_ptr<Ui::TForm_Main> ui_;
    InstallDirEnv env_;
    Prompts& prompts_;
    RecordForm shownForm_{};
    // The table as the file held it at the last load or save.
    std::unique_ptr<::OfficerTable> savedTable_ = std::make_unique<::OfficerTable>();
    // Whether the editor shows an officer: a row has been selected since the last load.
    bool selectedSinceLoad_ = false;
    bool closing_ = false;
    FileOnDisk disk_;

    // Controls in the orders the rules use.
    std::array<QComboBox*, 7> choiceBoxes_{};
    std::array<QLineEdit*, 10> numberEdits_{};
    std::array<QComboBox*, 4> relationBoxes_{};
    std::array<QLineEdit*, 4> textEdits_{};
    std::array<QLineEdit*, 6> searchEdits_{};
    std::array<QCheckBox*, 42> skillBoxes_{};
    std::array<class GbkLengthValidator*, 4> textValidators_{};
};
