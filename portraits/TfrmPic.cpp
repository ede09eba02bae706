#include "portraits/TfrmPic.h"

#include "platform/Fonts.h"
#include "platform/Guard.h"
#include "portraits/PickerPages.h"
#include "portraits/ShowFace.h"
#include "ui_TfrmPic.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace {

// The click handlers of the cells, image 1 first.
constexpr std::array<void (TfrmPic::*)(), kPickerCells> kImageClicks{
    &TfrmPic::Image1Click,  &TfrmPic::Image2Click,  &TfrmPic::Image3Click,  &TfrmPic::Image4Click,
    &TfrmPic::Image5Click,  &TfrmPic::Image6Click,  &TfrmPic::Image7Click,  &TfrmPic::Image8Click,
    &TfrmPic::Image9Click,  &TfrmPic::Image10Click, &TfrmPic::Image11Click, &TfrmPic::Image12Click,
    &TfrmPic::Image13Click, &TfrmPic::Image14Click, &TfrmPic::Image15Click, &TfrmPic::Image16Click,
    &TfrmPic::Image17Click, &TfrmPic::Image18Click, &TfrmPic::Image19Click, &TfrmPic::Image20Click,
    &TfrmPic::Image21Click,
};

} // namespace

TfrmPic::TfrmPic(QWidget* owner, const FaceArchive& faceFile, const FaceArchive& addFaceFile, Prompts& prompts)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , ui_(std::make_unique<Ui::TfrmPic>())
    , faceFile_(faceFile)
    , addFaceFile_(addFaceFile)
    , prompts_(prompts)
{
    ui_->setupUi(this);
    setFont(ProgramFont(12));
    setFixedSize(513, 358);
    if (const QScreen* where = screen())
        move(where->availableGeometry().center() - rect().center());

    images_ = {ui_->Image1,  ui_->Image2,  ui_->Image3,  ui_->Image4,  ui_->Image5,  ui_->Image6,  ui_->Image7,
               ui_->Image8,  ui_->Image9,  ui_->Image10, ui_->Image11, ui_->Image12, ui_->Image13, ui_->Image14,
               ui_->Image15, ui_->Image16, ui_->Image17, ui_->Image18, ui_->Image19, ui_->Image20, ui_->Image21};
    labels_ = {ui_->Label1,  ui_->Label2,  ui_->Label3,  ui_->Label4,  ui_->Label5,  ui_->Label6,  ui_->Label7,
               ui_->Label8,  ui_->Label9,  ui_->Label10, ui_->Label11, ui_->Label12, ui_->Label13, ui_->Label14,
               ui_->Label15, ui_->Label16, ui_->Label17, ui_->Label18, ui_->Label19, ui_->Label20, ui_->Label21};
    for (QLabel* label : labels_) {
        label->setFont(ProgramFont(14));
        label->adjustSize();
    }
    ui_->Label23->hide();
    ui_->imgEgg->hide();
    // Neither Enter nor Escape may end a pick: no button is the default one.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    ConnectHandlers();

    Guarded(prompts_, this, [this] { FormCreate(); });
}

TfrmPic::~TfrmPic() = default;

void TfrmPic::ConnectHandlers()
{
    const auto connectButton = [this](QPushButton* button, void (TfrmPic::*handler)()) {
        connect(button, &QPushButton::clicked, this, GuardedSlot(prompts_, this, handler));
    };
    connectButton(ui_->Button1, &TfrmPic::Button1Click);
    connectButton(ui_->Button2, &TfrmPic::Button2Click);
    connectButton(ui_->Button3, &TfrmPic::Button3Click);
    connectButton(ui_->Button4, &TfrmPic::Button4Click);
    connectButton(ui_->Button5, &TfrmPic::Button5Click);
    connectButton(ui_->Button6, &TfrmPic::Button6Click);
    connectButton(ui_->Button7, &TfrmPic::Button7Click);
    connectButton(ui_->Button8, &TfrmPic::Button8Click);

    // Labels have no click or mouse-move signals: their mouse events come through eventFilter.
    for (QLabel* image : images_)
        image->installEventFilter(this);
    ui_->imgEgg->installEventFilter(this);
    ui_->Label23->installEventFilter(this);
}

void TfrmPic::FormCreate()
{
    const PickerGallery gallery = PickerGalleryFor(addFaceFile_.IsOpen());
    FaceCount = gallery.FaceCount;
    LastPageStart = gallery.LastPageStart;
    ui_->Button8->setEnabled(addFaceFile_.IsOpen());

    if (!faceFile_.IsOpen()) {
        prompts_.MessageBox(this, QStringLiteral("找不到头像文件"), QStringLiteral("错误"));
        // Nothing was picked, so the caller keeps the officer's face.
        SelectedIndex = -1;
        noArchive_ = true;
        return;
    }
    FirstIndex = 0;
    ShowPage();
}

int TfrmPic::exec()
{
    if (noArchive_)
        return QDialog::Rejected;
    return QDialog::exec();
}

void TfrmPic::Button1Click()
{
    const std::optional<std::int32_t> start = GoPageStart(ui_->Edit1->text(), FaceCount);
    if (!start)
        return;
    FirstIndex = *start;
    TurnPage();
}

void TfrmPic::Button2Click()
{
    SelectedIndex = -1;
    done(QDialog::Rejected);
}

void TfrmPic::Button3Click()
{
    if (FirstIndex <= 0)
        return;
    FirstIndex -= kPickerCells;
    TurnPage();
}

void TfrmPic::Button4Click()
{
    if (FirstIndex >= LastPageStart)
        return;
    FirstIndex += kPickerCells;
    TurnPage();
}

void TfrmPic::Button5Click()
{
    FirstIndex = 0;
    TurnPage();
}

void TfrmPic::Button6Click()
{
    FirstIndex = LastPageStart;
    TurnPage();
}

void TfrmPic::Button7Click()
{
    FirstIndex = NewOfficersPageStart();
    TurnPage();
}

void TfrmPic::Button8Click()
{
    FirstIndex = AddedOfficersPageStart();
    TurnPage();
}

void TfrmPic::ImageClick(int k)
{
    SelectedIndex = FirstIndex + k - 1;
    done(QDialog::Accepted);
}

void TfrmPic::imgEggClick()
{
    prompts_.MessageBox(this, QStringLiteral("不要点了！没看到我没有编号吗？"), QStringLiteral("抗议"));
}

void TfrmPic::Image18MouseMove(QWidget* sender)
{
    // The frame lies beneath the pictures, so 5 pixels of it show on every side.
    ui_->Label23->move(sender->x() - 5, sender->y() - 5);
    ui_->Label23->show();
}

void TfrmPic::Label23MouseMove()
{
    ui_->Label23->hide();
}

void TfrmPic::TurnPage()
{
    ui_->Label23->hide();
    ui_->imgEgg->hide();
    ShowPage();
}

void TfrmPic::ShowPage()
{
    for (int k = 1; k <= kPickerCells; ++k) {
        QLabel* image = images_[k - 1];
        QLabel* label = labels_[k - 1];
        const PickerCell cell = CellOnPage(FirstIndex, k, FaceCount);
        if (cell.shows == CellShows::Nothing)
            HideCell(image, label);
        else
            ShowCell(cell.index, image, label);
    }
}

void TfrmPic::ShowCell(std::int32_t index, QLabel* image, QLabel* label)
{
    const PickerCell cell = CellAt(index, FaceCount);
    if (cell.shows == CellShows::Egg) {
        // The cell's own image stays as it was; the egg covers it and takes its clicks.
        ui_->imgEgg->move(image->pos());
        ui_->imgEgg->show();
        label->hide();
        return;
    }
    ShowFace(cell.face, image, cell.fromAddArchive ? addFaceFile_ : faceFile_);
    image->show();
    label->show();
    label->setText(QString::number(cell.face));
    label->adjustSize();
}

void TfrmPic::HideCell(QLabel* image, QLabel* label)
{
    image->hide();
    label->hide();
}

bool TfrmPic::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr)
        return QDialog::eventFilter(watched, event);

    if (event->type() == QEvent::MouseMove) {
        if (widget == ui_->Label23)
            Guarded(prompts_, this, [this] { Label23MouseMove(); });
        else
            Guarded(prompts_, this, [this, widget] { Image18MouseMove(widget); });
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        // A click: the left button released over the picture it was pressed on.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !widget->rect().contains(mouse->position().toPoint()))
            return false;
        if (widget == ui_->imgEgg) {
            Guarded(prompts_, this, [this] { imgEggClick(); });
            return true;
        }
        for (int k = 1; k <= kPickerCells; ++k) {
            if (widget == images_[k - 1]) {
                Guarded(prompts_, this, [this, k] { (this->*kImageClicks[k - 1])(); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmPic::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the picker; only a cell or "取消" does.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmPic::reject()
{
    // Closed from outside (the window manager), the pick counts as cancelled, not as index 0.
    SelectedIndex = -1;
    QDialog::reject();
}
