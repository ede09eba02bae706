// The main window's record editor: showing, committing and reverting one officer slot.
#include "TForm_Main.h"

#include "officers/Roster.h"
#include "officers/Skills.h"
#include "platform/Gbk.h"
#include "portraits/FaceNumbering.h"
#include "portraits/ShowFace.h"
#include "portraits/TfrmPic.h"
#include "editor/GbkLimit.h"
#include "ui_TForm_Main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QToolTip>
#include <QTreeWidget>

namespace {

constexpr std::int32_t kNoAddArchiveFace = 775; // drawn for an additional face when that archive is missing

void SetIndex(QComboBox* box, int index)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

} // namespace

void TForm_Main::DrawPortrait(std::int32_t face)
{
    const FaceArchive& archive = face >= kFirstAddFace ? AddFaceFile : FaceFile;
    ui_->Image_Face->show();
    ShowFace(face, ui_->Image_Face, archive);
}

void TForm_Main::ShowRecord()
{
    const int slot = CurrentSlot;
    std::int32_t face = OfficerTable.Face[slot];
    if (face <= 2049 && FaceFile.IsOpen()) {
        if (face >= kFirstAddFace && !AddFaceFile.IsOpen())
            face = kNoAddArchiveFace;
        DrawPortrait(face);
    } else {
        ui_->Image_Face->hide();
    }

    SetRecordEnabled(true);
    shownForm_ = ShowRecordForm(OfficerTable, slot);
    for (std::size_t i = 0; i < choiceBoxes_.size(); ++i)
        SetIndex(choiceBoxes_[i], shownForm_.choices[i]);
    ShowNumbers(shownForm_);
    for (std::size_t i = 0; i < relationBoxes_.size(); ++i)
        SetIndex(relationBoxes_[i], shownForm_.relations[i]);
    for (std::size_t i = 0; i < textEdits_.size(); ++i) {
        // A stored text is shown as it is, even one the control would not let the user type.
        textValidators_[i]->SetShowing(true);
        textEdits_[i]->setText(shownForm_.texts[i]);
        textValidators_[i]->SetShowing(false);
    }
    ui_->Memo_Story->setPlainText(shownForm_.texts[FormText::Story]);
    UpdateToolTips();
}

void TForm_Main::ShowSkills()
{
    ShowSkillBits(OfficerTable.Skills[CurrentSlot]);
}

void TForm_Main::ShowSkillBits(const std::array<std::uint8_t, kSkillBytes>& bits)
{
    for (std::size_t n = 0; n < kSkills.size(); ++n)
        skillBoxes_[n]->setChecked((bits[kSkills[n].byte] & kSkills[n].mask) != 0);
}

void TForm_Main::ShowNumbers(const RecordForm& form)
{
    for (std::size_t i = 0; i < numberEdits_.size(); ++i)
        numberEdits_[i]->setText(form.numbers[i]);
}

// After a load the editor shows no officer until a row is selected: empty and disabled, so that
// nothing on screen claims to be in the table.
void TForm_Main::ClearRecord()
{
    selectedSinceLoad_ = false;
    ui_->Image_Face->hide();
    for (QComboBox* box : choiceBoxes_)
        SetIndex(box, -1);
    for (QComboBox* box : relationBoxes_)
        SetIndex(box, -1);
    for (QLineEdit* edit : numberEdits_)
        edit->clear();
    for (QLineEdit* edit : textEdits_)
        edit->clear();
    ui_->Memo_Story->clear();
    ShowSkillBits({});
    shownForm_ = RecordForm{};
    SetRecordEnabled(false);
    UpdateToolTips();
}

void TForm_Main::SetRecordEnabled(bool enabled)
{
    for (QComboBox* box : choiceBoxes_)
        box->setEnabled(enabled);
    for (QComboBox* box : relationBoxes_)
        box->setEnabled(enabled);
    for (QLineEdit* edit : numberEdits_)
        if (edit != ui_->Edit_Face) // only the picker sets the face
            edit->setEnabled(enabled);
    for (QLineEdit* edit : textEdits_)
        edit->setEnabled(enabled);
    ui_->Memo_Story->setEnabled(enabled);
    for (QCheckBox* box : skillBoxes_)
        box->setEnabled(enabled);
    ui_->Btn_AllSkills->setEnabled(enabled);
    ui_->Btn_BT->setEnabled(enabled);
}

RecordForm TForm_Main::ReadControls() const
{
    RecordForm form = shownForm_;
    for (std::size_t i = 0; i < choiceBoxes_.size(); ++i)
        form.choices[i] = choiceBoxes_[i]->currentIndex();
    for (std::size_t i = 0; i < numberEdits_.size(); ++i)
        form.numbers[i] = numberEdits_[i]->text();
    for (std::size_t i = 0; i < relationBoxes_.size(); ++i)
        form.relations[i] = relationBoxes_[i]->currentIndex();
    for (std::size_t i = 0; i < textEdits_.size(); ++i)
        form.texts[i] = textEdits_[i]->text();
    form.texts[FormText::Story] = ui_->Memo_Story->toPlainText();
    form.skills.fill(0);
    for (std::size_t n = 0; n < kSkills.size(); ++n)
        if (skillBoxes_[n]->isChecked())
            form.skills[kSkills[n].byte] |= kSkills[n].mask;
    return form;
}

bool TForm_Main::HasUncommittedEdits() const
{
    return selectedSinceLoad_ && ReadControls() != ShowRecordForm(OfficerTable, CurrentSlot);
}

// Before an action that would drop what the controls hold: commit, discard or cancel.
bool TForm_Main::MayLeaveEdits()
{
    if (!HasUncommittedEdits())
        return true;
    switch (prompts_.AskUncommitted(this, QStringLiteral("武将 %1 的修改尚未确认。要先确认这些修改吗？")
                                              .arg(kFirstOfficerNumber + CurrentSlot))) {
    case Prompts::Answer::Commit:
        return CommitControls();
    case Prompts::Answer::Discard:
        ShowRecord();
        ShowSkills();
        return true;
    default:
        return false;
    }
}

void TForm_Main::FocusControl(const QString& name)
{
    auto* control = findChild<QWidget*>(name);
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
        memo->selectAll();
}

// Stores the controls into the slot they show. False when nothing was stored.
bool TForm_Main::CommitControls()
{
    const int slot = CurrentSlot;
    const RecordForm form = ReadControls();
    if (const QStringList losing = TextsLosingKanji(form, shownForm_, OfficerTable, disk_.Known(), slot);
        !losing.isEmpty()
        && !prompts_.Confirm(this,
                             QStringLiteral("“%1”在文件中含有本程序无法显示的日文汉字（显示为“? ”）。"
                                            "确认修改后，这些字将被“? ”替换，游戏中也将如此显示。要继续吗？")
                                 .arg(losing.join(QStringLiteral("”、“"))),
                             QStringLiteral("继续修改")))
        return false;
    if (const std::optional<FormError> error = CommitRecordForm(form, shownForm_, OfficerTable, slot)) {
        prompts_.ErrorBox(this, error->message);
        FocusControl(error->control);
        return false;
    }

    SetRosterEntry(kFirstOfficerNumber + slot, GbkToString(CommittedRosterName(OfficerTable, slot)));
    if (QTreeWidgetItem* row = RowOfSlot(slot))
        ShowListRow(row, CommittedListName(OfficerTable, slot), slot);
    FitNameColumn();
    // The controls now show exactly what is stored (a cut text, a number without leading zeros).
    ShowRecord();
    ShowSkills();
    return true;
}

void TForm_Main::Btn_MConfirmClick()
{
    if (!selectedSinceLoad_) {
        prompts_.ShowMessage(this, QStringLiteral("请先在左边的列表中选择一名武将。"));
        return;
    }
    CommitControls();
}

void TForm_Main::Btn_MCancelClick()
{
    if (!selectedSinceLoad_) {
        prompts_.ShowMessage(this, QStringLiteral("请先在左边的列表中选择一名武将。"));
        return;
    }
    ShowRecord();
    ShowSkills();
}

void TForm_Main::Btn_AllSkillsClick()
{
    RecordForm form = ReadControls();
    TickAllSkills(form);
    ShowSkillBits(form.skills);
}

void TForm_Main::Btn_BTClick()
{
    RecordForm form = ReadControls();
    FillAbilities(form);
    ShowNumbers(form);
}

void TForm_Main::Image_FaceClick()
{
    if (!selectedSinceLoad_ || ui_->ListView_SelPrsn->selectedItems().isEmpty() || !FaceFile.IsOpen())
        return;
    TfrmPic picker(this, FaceFile, AddFaceFile, prompts_);
    picker.exec();
    const std::int32_t face = IndexToFace(picker.SelectedIndex);
    if (face != -1 && QString::number(face) != ui_->Edit_Face->text()) {
        ui_->Edit_Face->setText(QString::number(face));
        DrawPortrait(face);
    }
}

// Names cut by a narrow box show in full when the mouse rests on them.
void TForm_Main::UpdateToolTips()
{
    for (QComboBox* box : relationBoxes_)
        box->setToolTip(box->currentText());
    ui_->Edit_Yin->setToolTip(ui_->Edit_Yin->text());
}

void TForm_Main::ShowLimitNote(QWidget* control, const QString& note)
{
    if (!note.isEmpty())
        QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), note, control);
}
