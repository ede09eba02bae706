#include "TForm_Help.h"

#include "app/InstalledFiles.h"
#include "platform/Fonts.h"
#include "ui_TForm_Help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace {

void SetColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

TForm_Help::TForm_Help(QWidget* owner, const QString& gamePrefix)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); })
    , ui_(std::make_unique<Ui::TForm_Help>())
{
    ui_->setupUi(this);
    Label13 = ui_->Label13;
    Label22 = ui_->Label22;
    setFixedSize(433, 433);
    setFont(ProgramFont(12));
    if (const QScreen* where = screen())
        move(where->availableGeometry().center() - rect().center());

    ui_->Label1->setFont(ProgramFont(16));
    ui_->Label2->setFont(ProgramFont(16, true));
    SetColour(ui_->Label2, QColor(255, 0, 0));
    ui_->Label10->setFont(ProgramFont(20, true));
    SetColour(ui_->Label10, QColor(128, 128, 128));
    ui_->Label10->setAttribute(Qt::WA_TranslucentBackground);
    Label22->setFont(ProgramFont(16, true));
    Label13->setFont(ProgramFont(12, true));
    for (QLabel* link : {Label22, Label13}) {
        SetLinkLook(link, false);
        link->setCursor(Qt::PointingHandCursor);
    }

    // Long prefixes (Steam's compatdata/<id>/pfx) are cut in the middle; the tip shows them whole.
    QLabel* prefix = ui_->Label_Prefix;
    prefix->setFont(ProgramFont(12));
    SetColour(prefix, QColor(128, 128, 128));
    const QString prefixText = QStringLiteral("Wine 前缀：") + gamePrefix;
    prefix->setText(prefix->fontMetrics().elidedText(prefixText, Qt::ElideMiddle, prefix->width()));
    prefix->setToolTip(prefixText);
    prefix->setVisible(!gamePrefix.isEmpty());

    // Every label and picture reports its clicks and moves here, so that only the window's bare
    // surface resets the links' look.
    setMouseTracking(true);
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setMouseTracking(true);
        label->installEventFilter(this);
    }
}

TForm_Help::~TForm_Help() = default;

QUrl TForm_Help::ProjectPage()
{
    return QUrl::fromLocalFile(ReadmePath(QCoreApplication::applicationDirPath()));
}

void TForm_Help::SetLinkLook(QLabel* label, bool highlighted)
{
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(highlighted);
    label->setFont(font);
    SetColour(label, highlighted ? QColor(0, 255, 0) : QColor(0, 0, 255));
}

void TForm_Help::FormClick()
{
    close();
}

void TForm_Help::FormKeyPress()
{
    close();
}

void TForm_Help::Image1Click()
{
    FormClick();
}

void TForm_Help::Label13Click()
{
    if (openUrl)
        openUrl(ProjectPage());
}

void TForm_Help::Label13MouseMove(QLabel* label)
{
    SetLinkLook(label, true);
}

void TForm_Help::FormMouseMove()
{
    SetLinkLook(Label22, false);
    SetLinkLook(Label13, false);
}

void TForm_Help::mousePressEvent(QMouseEvent*)
{
    FormClick();
}

void TForm_Help::mouseMoveEvent(QMouseEvent*)
{
    FormMouseMove();
}

// Only keys that produce a character close the window; Shift, arrows and function keys do not.
void TForm_Help::keyPressEvent(QKeyEvent* event)
{
    const bool character = !event->text().isEmpty() || event->key() == Qt::Key_Escape
                           || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (character)
        FormKeyPress();
    else
        event->ignore();
}

bool TForm_Help::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    const bool link = label == Label13 || label == Label22;
    if (label && event->type() == QEvent::MouseButtonPress) {
        if (link)
            Label13Click();
        else
            Image1Click();
        return true;
    }
    if (label && event->type() == QEvent::MouseMove) {
        if (link)
            Label13MouseMove(label);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
