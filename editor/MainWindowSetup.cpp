// Building the main window's controls and wiring them to their handlers.
#include "TForm_Main.h"

#include "editor/Choices.h"
#include "editor/GbkLimit.h"
#include "editor/GbkMemoLimiter.h"
#include "officers/Roster.h"
#include "officers/Skills.h"
#include "platform/Fonts.h"
#include "platform/Guard.h"
#include "platform/WindowPlacement.h"
#include "ui_TForm_Main.h"

#include <QCheckBox>
#include <QAbstractProxyModel>
#include <QComboBox>
#include <QCompleter>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

void TForm_Main::SetUpControls()
{
    setFont(ProgramFont(12));
    setWindowTitle(QStringLiteral("Quillmark — 三国志X新武将编辑器"));
    ui_->ClientArea->setFixedSize(778, 492);
    setFixedSize(778, 492 + ui_->MainMenu->sizeHint().height());
    if (const QScreen* where = screen())
        move(PlaceOnScreen(frameGeometry().size(), where->availableGeometry()));

    auto* list = ui_->ListView_SelPrsn;
    list->setSortingEnabled(false); // the list sorts through its own comparison
    list->header()->setSectionsClickable(true);
    list->header()->setSectionsMovable(false);
    for (int column = 0; column < list->columnCount(); ++column)
        list->setColumnWidth(column, 50);

    ui_->Image_NoFace->setPixmap(QPixmap(QStringLiteral(":/pictures/noface.png")));
    ui_->Image_Face->raise();
    ui_->Image_Face->hide();
    for (QLabel* image : {ui_->Image_Face, ui_->Image_NoFace}) {
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
    }

    choiceBoxes_ = {ui_->ComboBox_Type, ui_->ComboBox_Belief, ui_->ComboBox_Character, ui_->ComboBox_Drink,
                    ui_->ComboBox_Care, ui_->ComboBox_Desire, ui_->ComboBox_Gender};
    for (std::size_t i = 0; i < choiceBoxes_.size(); ++i)
        choiceBoxes_[i]->addItems(ChoiceEntries(static_cast<int>(i)));

    numberEdits_ = {ui_->Edit_Tongshuai, ui_->Edit_Wuli, ui_->Edit_Zhili, ui_->Edit_Zhengzhi, ui_->Edit_Meili,
                    ui_->Edit_Shengwang, ui_->Edit_Face, ui_->Edit_BornYear, ui_->Edit_EnterYear,
                    ui_->Edit_DeadYear};

    relationBoxes_ = {ui_->ComboBox_Father, ui_->ComboBox_Mother, ui_->ComboBox_Another, ui_->ComboBox_Xiangxing};
    for (QComboBox* box : relationBoxes_) {
        box->addItems(InitialRoster());
        box->setMaxVisibleItems(30);
        // Typing finds a person among the 861: the box takes text, with the input method on, and
        // offers every name that holds what was typed. Only the chosen entry counts.
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        auto* completer = new QCompleter(box->model(), box);
        completer->setFilterMode(Qt::MatchContains);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setCompletionMode(QCompleter::PopupCompletion);
        completer->setMaxVisibleItems(15);
        box->setCompleter(completer);
        connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), box,
                [box, completer](const QModelIndex& index) {
                    const auto* proxy = qobject_cast<const QAbstractProxyModel*>(completer->completionModel());
                    if (proxy)
                        box->setCurrentIndex(proxy->mapToSource(index).row());
                });
        // Text that names nobody gives way to the entry that is chosen.
        connect(box->lineEdit(), &QLineEdit::editingFinished, box, [box] {
            if (box->lineEdit()->text() != box->currentText())
                box->lineEdit()->setText(box->currentText());
        });
        connect(box, &QComboBox::currentIndexChanged, box, [box] { box->setToolTip(box->currentText()); });
    }

    textEdits_ = {ui_->Edit_Xing, ui_->Edit_Ming, ui_->Edit_Zi, ui_->Edit_Yin};
    for (std::size_t i = 0; i < textEdits_.size(); ++i) {
        const int text = static_cast<int>(i);
        QLineEdit* edit = textEdits_[i];
        auto* validator = new GbkLengthValidator(TextByteLimit(text), edit,
                                                 text == FormText::Yin ? TextCode::Gbk : TextCode::Game, TextLabel(text));
        edit->setValidator(validator);
        textValidators_[i] = validator;
        connect(edit, &QLineEdit::textChanged, validator, &GbkLengthValidator::Track);
        connect(validator, &GbkLengthValidator::limited, this,
                [this, edit](const QString& note) { ShowLimitNote(edit, note); });
    }
    connect(ui_->Edit_Yin, &QLineEdit::textChanged, ui_->Edit_Yin, &QWidget::setToolTip);
    auto* memoLimiter =
        new GbkMemoLimiter(ui_->Memo_Story, TextByteLimit(FormText::Story), TextCode::Game, TextLabel(FormText::Story));
    connect(memoLimiter, &GbkMemoLimiter::limited, this,
            [this](const QString& note) { ShowLimitNote(ui_->Memo_Story, note); });
    ui_->Memo_Story->setTabChangesFocus(true); // Tab moves on, as in every other field

    searchEdits_ = {ui_->Edit_STongshuai, ui_->Edit_SWuli, ui_->Edit_SZhili, ui_->Edit_SZhengzhi,
                    ui_->Edit_SMeili, ui_->Edit_SShengwang};

    for (std::size_t n = 0; n < kSkills.size(); ++n)
        skillBoxes_[n] = findChild<QCheckBox*>(QString::fromLatin1(kSkills[n].box.data(), static_cast<qsizetype>(kSkills[n].box.size())));

    // Input method names are kept for reference; on Linux the user's input method framework decides.
    const QString pinyin = QStringLiteral("中文 (简体) - 微软拼音 IME 3.0");
    const QString japanese = QStringLiteral("日语输入系统 (MS-IME2002)");
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->Edit_Face, ui_->Edit_BornYear, ui_->Edit_DeadYear})
        w->setProperty("imeName", pinyin);
    for (QLineEdit* w : searchEdits_)
        w->setProperty("imeName", pinyin);
    for (std::size_t i = 0; i < 5; ++i)
        numberEdits_[i]->setProperty("imeName", pinyin);
    ui_->Edit_Shengwang->setProperty("imeName", pinyin);
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->Edit_EnterYear, ui_->Edit_Xing, ui_->Edit_Ming,
                                                      ui_->Edit_Zi, ui_->Edit_Yin, ui_->Memo_Story})
        w->setProperty("imeName", japanese);
    for (QComboBox* box : findChildren<QComboBox*>()) {
        box->setProperty("imeName", japanese);
        box->setFocusPolicy(Qt::StrongFocus); // the wheel neither focuses nor changes a closed list
    }
    ClearRecord(); // no officer is shown until a row is selected

    // Menu shortcuts win over the edit boxes' own keys (see eventFilter).
    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w)
            || qobject_cast<QTreeWidget*>(w))
            w->installEventFilter(this);

    ui_->Edit_STongshuai->setFocus();
}

void TForm_Main::ConnectHandlers()
{
    auto on = [this](QAction* action, void (TForm_Main::*handler)()) {
        connect(action, &QAction::triggered, this, GuardedSlot(prompts_, this, handler));
    };
    on(ui_->Menu_Open, &TForm_Main::Menu_OpenClick);
    on(ui_->R1, &TForm_Main::R1Click);
    on(ui_->Menu_Save, &TForm_Main::Menu_SaveClick);
    on(ui_->Menu_Exit, &TForm_Main::Menu_ExitClick);
    on(ui_->Menu_Help, &TForm_Main::Menu_HelpClick);
    on(ui_->X1, &TForm_Main::X1Click);
    for (QAction* action : {ui_->Menu_Open, ui_->R1, ui_->Menu_Save, ui_->Menu_Exit, ui_->Menu_Help})
        action->setShortcutContext(Qt::WindowShortcut);

    auto click = [this](QPushButton* button, void (TForm_Main::*handler)()) {
        connect(button, &QPushButton::clicked, this, GuardedSlot(prompts_, this, handler));
    };
    click(ui_->Btn_ReSearch, &TForm_Main::Btn_ReSearchClick);
    click(ui_->Btn_MConfirm, &TForm_Main::Btn_MConfirmClick);
    click(ui_->Btn_MCancel, &TForm_Main::Btn_MCancelClick);
    click(ui_->Btn_AllSkills, &TForm_Main::Btn_AllSkillsClick);
    click(ui_->Btn_BT, &TForm_Main::Btn_BTClick);

    auto* list = ui_->ListView_SelPrsn;
    connect(list->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { Run([this, column] { ListView_SelPrsnColumnClick(column); }); });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, list](const QItemSelection& selected, const QItemSelection&) {
                Run([&] {
                    for (const QModelIndex& index : selected.indexes())
                        if (index.column() == 0)
                            ListView_SelPrsnSelectItem(list->topLevelItem(index.row()), true);
                });
            });
    connect(list, &QTreeWidget::itemClicked, this, [this] { Run([this] { ListView_SelPrsnClick(); }); });

    connect(&disk_, &FileOnDisk::changedOnDisk, this, GuardedSlot(prompts_, this, &TForm_Main::FileChangedOnDisk));
}
