// The main window's record editor: showing, committing and reverting one officer slot.
#include "TForm_Main.h"

#include "officers/Roster.h"
#include "officers/Skills.h"
#include "platform/Gbk.h"
#include "portraits/FaceNumbering.h"
#include "portraits/ShowFace.h"
#include "portraits/TfrmPic.h"
#include "ui_TForm_Main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
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

    shownForm_ = ShowRecordForm(OfficerTable, slot);
    for (std::size_t i = 0; i < choiceBoxes_.size(); ++i)
        SetIndex(choiceBoxes_[i], shownForm_.choices[i]);
    for (std::size_t i = 0; i < numberEdits_.size(); ++i)
        numberEdits_[i]->setText(shownForm_.numbers[i]);
    for (std::size_t i = 0; i < relationBoxes_.size(); ++i)
        SetIndex(relationBoxes_[i], shownForm_.relations[i]);
    for (std::size_t i = 0; i < textEdits_.size(); ++i)
        textEdits_[i]->setText(shownForm_.texts[i]);
    ui_->Memo_Story->setPlainText(shownForm_.texts[4]);
}

void TForm_Main::ShowSkills()
{
    const auto& bytes = OfficerTable.Skills[CurrentSlot];
    for (std::size_t n = 0; n < kSkills.size(); ++n)
        skillBoxes_[n]->setChecked((bytes[kSkills[n].byte] & kSkills[n].mask) != 0);
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
    form.texts[4] = ui_->Memo_Story->toPlainText();
    form.skills.fill(0);
    for (std::size_t n = 0; n < kSkills.size(); ++n)
        if (skillBoxes_[n]->isChecked())
            form.skills[kSkills[n].byte] |= kSkills[n].mask;
    return form;
}

void TForm_Main::Btn_MConfirmClick()
{
    // Until a row has been selected since the last load the controls show no officer of this file.
    if (!selectedSinceLoad_)
        return;
    const int slot = CurrentSlot;
    std::vector<SlotState> before{CaptureSlotState(slot)}; // for undo
    const RecordForm form = ReadControls();
    if (const std::optional<QString> error = CommitRecordForm(form, shownForm_, OfficerTable, slot)) {
        prompts_.ErrorBox(this, *error);
        return;
    }
    // What is stored now is what the controls show; later commits compare against it.
    shownForm_.texts = form.texts;
    modified_ = true;

    SetRosterEntry(kFirstOfficerNumber + slot, GbkToString(CommittedRosterName(OfficerTable, slot)));
    const QList<QTreeWidgetItem*> selected = ui_->ListView_SelPrsn->selectedItems();
    if (!selected.isEmpty())
        ShowListRow(selected.first(), CommittedListName(OfficerTable, slot), slot);
    PushChange(QStringLiteral("确认修改"), std::move(before));
}

void TForm_Main::Btn_MCancelClick()
{
    ShowRecord();
    ShowSkills();
}

void TForm_Main::Btn_AllSkillsClick()
{
    for (QCheckBox* box : skillBoxes_)
        box->setChecked(true);
}

void TForm_Main::Btn_BTClick()
{
    for (QLineEdit* edit : {ui_->Edit_Tongshuai, ui_->Edit_Wuli, ui_->Edit_Zhili, ui_->Edit_Zhengzhi, ui_->Edit_Meili})
        edit->setText(QStringLiteral("99"));
}

void TForm_Main::Image_FaceClick()
{
    if (ui_->ListView_SelPrsn->selectedItems().isEmpty() || !FaceFile.IsOpen())
        return;
    TfrmPic picker(this, FaceFile, AddFaceFile, prompts_);
    picker.exec();
    const std::int32_t face = IndexToFace(picker.SelectedIndex);
    if (face != -1 && QString::number(face) != ui_->Edit_Face->text()) {
        ui_->Edit_Face->setText(QString::number(face));
        DrawPortrait(face);
    }
}
