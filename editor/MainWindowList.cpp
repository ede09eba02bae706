// The main window's officer list: filling, searching, sorting and selecting rows.
#include "TForm_Main.h"

#include "officers/Roster.h"
#include "platform/Errors.h"
#include "platform/Gbk.h"
#include "platform/StrToInt.h"
#include "ui_TForm_Main.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

namespace {

constexpr int kNameBytesRole = Qt::UserRole;

ListRowKey KeyOf(const QTreeWidgetItem* item)
{
    ListRowKey key;
    for (int column = 0; column < 7; ++column)
        key.cells[column] = item->text(column);
    key.name = item->data(1, kNameBytesRole).toByteArray();
    return key;
}

} // namespace

void TForm_Main::ShowListRow(QTreeWidgetItem* item, const QByteArray& name, int slot)
{
    item->setText(1, GbkToString(name));
    item->setData(1, kNameBytesRole, name);
    const std::uint16_t abilities[] = {OfficerTable.Tongshuai[slot], OfficerTable.Wuli[slot], OfficerTable.Zhili[slot],
                                       OfficerTable.Zhengzhi[slot], OfficerTable.Meili[slot]};
    for (int i = 0; i < 5; ++i)
        item->setText(2 + i, QString::number(abilities[i]));
}

void TForm_Main::FillList()
{
    auto* list = ui_->ListView_SelPrsn;
    const QSignalBlocker blockSelection(list->selectionModel());
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const ListRow& row : ListRows(OfficerTable, Shown)) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString::number(row.slot + kFirstOfficerNumber));
        ShowListRow(item, row.name, row.slot);
        items.append(item);
    }
    list->addTopLevelItems(items);
    FitNameColumn();
}

void TForm_Main::FillRelationNames()
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        SetRosterEntry(kFirstOfficerNumber + slot, GbkToString(RosterName(OfficerTable, slot)));
}

void TForm_Main::SetRosterEntry(int position, const QString& name)
{
    for (QComboBox* box : relationBoxes_) {
        const QSignalBlocker block(box);
        box->setItemText(position, name);
    }
}

void TForm_Main::Btn_ReSearchClick()
{
    std::array<QString, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = searchEdits_[i]->text();
    const std::array<std::int32_t, 6> criteria = ReadSearchCriteria(texts); // may refuse; nothing changed yet
    ApplySearch(criteria, OfficerTable, Shown);
    FillList();
}

void TForm_Main::ListView_SelPrsnColumnClick(int column)
{
    Sort.ColumnClick(column);

    auto* list = ui_->ListView_SelPrsn;
    QTreeWidgetItem* selected = list->selectedItems().isEmpty() ? nullptr : list->selectedItems().first();
    QList<QTreeWidgetItem*> items;
    {
        const QSignalBlocker block(list->selectionModel());
        while (list->topLevelItemCount() > 0)
            items.append(list->takeTopLevelItem(0));
    }
    std::stable_sort(items.begin(), items.end(), [this](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return ListView_SelPrsnCompare(a, b) < 0;
    });
    const QSignalBlocker block(list->selectionModel());
    list->addTopLevelItems(items);
    if (selected) {
        list->setCurrentItem(selected);
        selected->setSelected(true);
        list->scrollToItem(selected);
    }
}

int TForm_Main::ListView_SelPrsnCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const
{
    return CompareListRows(KeyOf(item1), KeyOf(item2), Sort);
}

// The slot of a row is its officer number less 650; a number outside the table is refused.
int TForm_Main::SlotOfRow(const QTreeWidgetItem* item) const
{
    const int slot = StrToInt(item->text(0)) - kFirstOfficerNumber;
    if (slot < 0 || slot >= kSlotCount)
        throw PlatformError(QStringLiteral("'%1' 不是新武将编号（650 到 759）。").arg(item->text(0)));
    return slot;
}

QTreeWidgetItem* TForm_Main::RowOfSlot(int slot) const
{
    const QString number = QString::number(kFirstOfficerNumber + slot);
    auto* list = ui_->ListView_SelPrsn;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        if (list->topLevelItem(row)->text(0) == number)
            return list->topLevelItem(row);
    return nullptr;
}

// Puts the selection back on a slot's row without running the selection handlers.
void TForm_Main::SelectRowOfSlot(int slot)
{
    auto* list = ui_->ListView_SelPrsn;
    const QSignalBlocker block(list->selectionModel());
    list->clearSelection();
    if (QTreeWidgetItem* row = RowOfSlot(slot)) {
        list->setCurrentItem(row);
        row->setSelected(true);
    }
}

void TForm_Main::ListView_SelPrsnSelectItem(QTreeWidgetItem* item, bool selected)
{
    if (!selected || !item)
        return;
    const int slot = SlotOfRow(item);
    if (selectedSinceLoad_ && slot == CurrentSlot)
        return; // the officer is already shown, with whatever the player has typed
    if (!MayLeaveEdits()) {
        SelectRowOfSlot(CurrentSlot);
        return;
    }
    CurrentSlot = slot;
    selectedSinceLoad_ = true;
    ShowRecord();
    ShowSkills();
}

void TForm_Main::ListView_SelPrsnClick()
{
    const QList<QTreeWidgetItem*> selected = ui_->ListView_SelPrsn->selectedItems();
    if (selected.isEmpty())
        return;
    ListView_SelPrsnSelectItem(selected.first(), true);
}

// The name column is as wide as the longest name, so no name ends in "…".
void TForm_Main::FitNameColumn()
{
    auto* list = ui_->ListView_SelPrsn;
    list->resizeColumnToContents(1);
    list->setColumnWidth(1, std::max(list->columnWidth(1), 50));
}
