// The main window's exchange file: officers exported to a spreadsheet file and imported back.
#include "TForm_Main.h"

#include "editor/OfficerCsv.h"
#include "officers/Roster.h"
#include "platform/Gbk.h"
#include "ui_TForm_Main.h"

#include <QDir>
#include <QFileInfo>
#include <QTreeWidget>
#include <numeric>

namespace {

const QString kCsvFilter = QStringLiteral("CSV 表格 (*.csv)");
constexpr qsizetype kErrorsShown = 15;

QString Officer(const OfficerTable& table, int slot)
{
    return QStringLiteral("%1 %2").arg(kFirstOfficerNumber + slot).arg(GbkToString(RosterName(table, slot)));
}

QString ImportRefused(const QStringList& errors)
{
    QString text = QStringLiteral("导入未完成，没有改动任何武将：\n") + errors.mid(0, kErrorsShown).join(u'\n');
    if (errors.size() > kErrorsShown)
        text += QStringLiteral("\n……另有 %1 处错误。").arg(errors.size() - kErrorsShown);
    return text;
}

} // namespace

std::optional<int> TForm_Main::SelectedSlot() const
{
    const QList<QTreeWidgetItem*> selected = ui_->ListView_SelPrsn->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return SlotOfRow(selected.first());
}

void TForm_Main::Menu_ExportClick()
{
    if (FileName.isEmpty()) {
        prompts_.ShowMessage(this, QStringLiteral("请先打开一个存档文件！"));
        return;
    }
    // The file holds what is committed; a typed value would be missing from it.
    if (!MayLeaveEdits())
        return;

    // All officers, the ones a search left in the list, or the selected one.
    std::vector<std::pair<QString, std::vector<int>>> choices;
    std::vector<int> all(kSlotCount);
    std::iota(all.begin(), all.end(), 0);
    choices.emplace_back(QStringLiteral("全部 %1 名").arg(kSlotCount), all);
    std::vector<int> listed;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (Shown[slot])
            listed.push_back(slot);
    if (!listed.empty() && listed.size() < all.size())
        choices.emplace_back(QStringLiteral("列表中的 %1 名").arg(listed.size()), listed);
    if (const std::optional<int> selected = SelectedSlot())
        choices.emplace_back(QStringLiteral("选中的 %1").arg(Officer(OfficerTable, *selected)), std::vector<int>{*selected});

    std::size_t chosen = 0;
    if (choices.size() > 1) {
        QStringList labels;
        for (const auto& choice : choices)
            labels << choice.first;
        const int answer = prompts_.Choose(this, QStringLiteral("导出哪些武将？"), labels);
        if (answer < 0)
            return;
        chosen = static_cast<std::size_t>(answer);
    }
    const std::vector<int>& officers = choices[chosen].second;

    const QString name = officers.size() == 1 ? QStringLiteral("武将%1.csv").arg(kFirstOfficerNumber + officers.front())
                                           : QStringLiteral("新武将.csv");
    const QString path = prompts_.SaveFileName(this, kCsvFilter, QFileInfo(FileName).dir().filePath(name));
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error = WriteOfficerCsvFile(path, ExportOfficerCsv(OfficerTable, officers)))
        prompts_.ErrorBox(this, *error);
}

void TForm_Main::Menu_ImportClick()
{
    if (FileName.isEmpty()) {
        prompts_.ShowMessage(this, QStringLiteral("请先打开一个存档文件！"));
        return;
    }
    // The import may replace the officer the editor shows.
    if (!MayLeaveEdits())
        return;
    const QString path = prompts_.OpenFileName(this, kCsvFilter);
    if (path.isEmpty())
        return;
    const OfficerCsvRead read = ReadOfficerCsvFile(path);
    if (!read.errors.isEmpty()) {
        prompts_.ErrorBox(this, ImportRefused(read.errors));
        return;
    }

    // One officer, shared from another file, may go into the selected slot instead of its own.
    std::optional<int> into;
    const std::optional<int> selected = SelectedSlot();
    if (read.csv.rows.size() == 1 && selected) {
        const std::optional<int> own = RowSlot(read.csv, read.csv.rows.front());
        if (own != selected) {
            QStringList labels;
            if (own)
                labels << QStringLiteral("按编号替换 %1").arg(Officer(OfficerTable, *own));
            labels << QStringLiteral("替换选中的 %1").arg(Officer(OfficerTable, *selected));
            const int answer = prompts_.Choose(
                this, QStringLiteral("文件中有一名武将。要替换哪一名武将？替换后可以撤销，保存前不会写入存档。"), labels);
            if (answer < 0)
                return;
            if (answer == labels.size() - 1)
                into = selected;
        }
    }

    OfficerCsvImport result = ImportOfficerCsv(read.csv, OfficerTable, into);
    if (!result.table) {
        prompts_.ErrorBox(this, ImportRefused(result.errors));
        return;
    }
    // One step on the undo stack; only the imported slots differ from the table as it is.
    ChangeSlots(QStringLiteral("导入武将"), result.officers, [&](::OfficerTable& table) { table = *result.table; });
}
