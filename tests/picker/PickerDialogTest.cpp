#include "portraits/FaceNumbering.h"
#include "portraits/TfrmPic.h"
#include "platform/RecordingPrompts.h"
#include "tools/SampleGame.h"
#include "tools/SamplePortraits.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The sample game's portraits show their own face number, so a cell can be read by its pixels.
class Picker : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        game = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(game->isValid());
        QString error;
        ASSERT_TRUE(MakeSampleGame(game->path(), {.additionalArchive = true, .officerFile = false}, &error))
            << qPrintable(error);
    }
    static void TearDownTestSuite() { game.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(faceFile.Open(game->filePath(kSampleMainArchive)));
        ASSERT_TRUE(addFaceFile.Open(game->filePath(kSampleAddArchive)));
    }

    const FaceArchive& Additional(bool open) const { return open ? addFaceFile : noArchive; }

    static inline std::unique_ptr<QTemporaryDir> game;
    FaceArchive faceFile;
    FaceArchive addFaceFile;
    FaceArchive noArchive;
    RecordingPrompts prompts;
};

template <typename T>
T* Find(const TfrmPic& dialog, const QString& name)
{
    T* child = dialog.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << qPrintable(name);
    return child;
}

QLabel* Image(const TfrmPic& dialog, int k)
{
    return Find<QLabel>(dialog, QStringLiteral("Image%1").arg(k));
}

QLabel* Number(const TfrmPic& dialog, int k)
{
    return Find<QLabel>(dialog, QStringLiteral("Label%1").arg(k));
}

void Press(const TfrmPic& dialog, const char* button)
{
    Find<QPushButton>(dialog, QString::fromLatin1(button))->click();
}

void Go(const TfrmPic& dialog, const QString& text)
{
    Find<QLineEdit>(dialog, "Edit1")->setText(text);
    Press(dialog, "Button1");
}

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button)
{
    const QPointF at = widget->rect().center();
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void Click(QWidget* widget)
{
    SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton);
}

void MoveOver(QWidget* widget)
{
    SendMouse(widget, QEvent::MouseMove, Qt::NoButton);
}

// What each cell shows: its number when the number label and the drawn portrait agree, "egg" for
// the extra cell, "" for an empty one; anything else describes the disagreement.
QStringList Cells(const TfrmPic& dialog)
{
    const QLabel* egg = Find<QLabel>(dialog, "imgEgg");
    QStringList cells;
    for (int k = 1; k <= 21; ++k) {
        const QLabel* image = Image(dialog, k);
        const QLabel* number = Number(dialog, k);
        if (!egg->isHidden() && egg->geometry() == image->geometry())
            cells << (number->isHidden() ? "egg" : "egg with number " + number->text());
        else if (image->isHidden())
            cells << (number->isHidden() ? "" : "number " + number->text() + " without picture");
        else if (number->isHidden())
            cells << "picture without number";
        else if (const int drawn = SampleFaceShown(image->pixmap().toImage()); QString::number(drawn) != number->text())
            cells << number->text() + " over face " + QString::number(drawn);
        else
            cells << number->text();
    }
    return cells;
}

QStringList Faces(int first, int last)
{
    QStringList faces;
    for (int face = first; face <= last; ++face)
        faces << QString::number(face);
    return faces;
}

QStringList Empty(int cells)
{
    return QStringList(cells, QString());
}

using Action = std::function<void(const TfrmPic&)>;

TEST_F(Picker, HasTheLayoutOfTheGallery)
{
    TfrmPic dialog(nullptr, faceFile, addFaceFile, prompts);
    EXPECT_EQ(dialog.windowTitle(), "frmPic");
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(dialog.size(), QSize(513, 358));
    EXPECT_EQ(Find<QWidget>(dialog, "Panel1")->geometry(), QRect(0, 0, 513, 358));

    const int imageLeft[] = {8, 80, 152, 224, 296, 368, 440};
    const int imageTop[] = {8, 112, 224};
    const int labelLeft[3][7] = {{32, 104, 184, 256, 328, 400, 472},
                                 {32, 104, 176, 256, 328, 392, 472},
                                 {32, 104, 176, 248, 328, 392, 472}};
    const int labelTop[] = {93, 197, 309};
    Go(dialog, "1593"); // four-digit numbers: the labels grow to the right, their left stays
    for (int k = 1; k <= 21; ++k) {
        const int row = (k - 1) / 7;
        const int column = (k - 1) % 7;
        EXPECT_EQ(Image(dialog, k)->geometry(), QRect(imageLeft[column], imageTop[row], 64, 80)) << k;
        EXPECT_EQ(Number(dialog, k)->pos(), QPoint(labelLeft[row][column], labelTop[row])) << k;
        EXPECT_EQ(Number(dialog, k)->font().pixelSize(), 14) << k;
    }

    const QLabel* frame = Find<QLabel>(dialog, "Label23");
    const QLabel* egg = Find<QLabel>(dialog, "imgEgg");
    EXPECT_EQ(frame->geometry(), QRect(219, 107, 74, 90));
    EXPECT_EQ(egg->geometry(), QRect(88, 232, 64, 80));
    EXPECT_TRUE(frame->isHidden());
    EXPECT_TRUE(egg->isHidden());
    // The frame lies beneath the cell pictures, the egg above them.
    const QObjectList& stack = Find<QWidget>(dialog, "Panel1")->children();
    EXPECT_LT(stack.indexOf(frame), stack.indexOf(Image(dialog, 1)));
    EXPECT_GT(stack.indexOf(egg), stack.indexOf(Image(dialog, 21)));
    const QImage noFace(":/pictures/noface.png");
    EXPECT_FALSE(noFace.isNull());
    EXPECT_EQ(egg->pixmap().toImage().convertToFormat(noFace.format()), noFace);

    EXPECT_EQ(Find<QLabel>(dialog, "Label22")->text(), "转到");
    EXPECT_EQ(Find<QLabel>(dialog, "Label22")->geometry(), QRect(16, 334, 24, 12));
    EXPECT_EQ(Find<QLineEdit>(dialog, "Edit1")->geometry(), QRect(48, 328, 49, 20));

    struct ButtonRow {
        const char* name;
        QRect geometry;
        const char* text;
    };
    const ButtonRow buttons[] = {
        {"Button1", {104, 328, 22, 22}, "Go"},     {"Button5", {128, 326, 41, 25}, "首页"},
        {"Button3", {176, 326, 41, 25}, "上一页"}, {"Button4", {224, 326, 41, 25}, "下一页"},
        {"Button6", {272, 326, 41, 25}, "尾页"},   {"Button7", {320, 326, 57, 25}, "新武将"},
        {"Button8", {384, 326, 57, 25}, "追加武将"}, {"Button2", {456, 326, 41, 25}, "取消"},
    };
    for (const ButtonRow& row : buttons) {
        const QPushButton* button = Find<QPushButton>(dialog, row.name);
        EXPECT_EQ(button->geometry(), row.geometry) << row.name;
        EXPECT_EQ(button->text(), row.text) << row.name;
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << row.name;
    }

    QWidget* edit = Find<QLineEdit>(dialog, "Edit1");
    QStringList tabOrder;
    QWidget* w = edit;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder << w->objectName();
        w = w->nextInFocusChain();
    } while (w != edit);
    EXPECT_EQ(tabOrder, (QStringList{"Edit1", "Button1", "Button2", "Button3", "Button4", "Button5", "Button6",
                                     "Button7", "Button8"}));
}

TEST_F(Picker, ShowsThePageOfEveryWayThere)
{
    const QStringList page126 = QStringList{"126", "127", "128", "129", "131", "132"} + Faces(134, 145)
        + QStringList{"147", "149", "150"};
    const QStringList lastWith = Faces(2034, 2049) + QStringList{"egg"} + Empty(4);
    const QStringList lastWithout = Faces(1586, 1593) + QStringList{"egg"} + Empty(12);
    struct Row {
        const char* name;
        bool additional;
        Action action;
        std::int32_t firstIndex;
        QStringList cells;
    };
    const Row rows[] = {
        {"first page", true, [](const TfrmPic&) {}, 0, Faces(0, 20)},
        {"first page without the additional archive", false, [](const TfrmPic&) {}, 0, Faces(0, 20)},
        {"Go 130 (a gap)", true, [](const TfrmPic& d) { Go(d, "130"); }, 126, page126},
        {"新武将", true, [](const TfrmPic& d) { Press(d, "Button7"); }, 714, Faces(767, 787)},
        {"追加武将", true, [](const TfrmPic& d) { Press(d, "Button8"); }, 1533, Faces(1586, 1593) + Faces(2000, 2012)},
        {"追加武将 cannot be pressed without its archive", false, [](const TfrmPic& d) { Press(d, "Button8"); }, 0,
         Faces(0, 20)},
        {"尾页", true, [](const TfrmPic& d) { Press(d, "Button6"); }, 1575, lastWith},
        {"尾页 without the additional archive", false, [](const TfrmPic& d) { Press(d, "Button6"); }, 1533,
         lastWithout},
        {"Go 2049", true, [](const TfrmPic& d) { Go(d, "2049"); }, 1575, lastWith},
        {"Go 1595", true, [](const TfrmPic& d) { Go(d, "1595"); }, 1134, Faces(1187, 1207)},
        {"Go with an empty field", true, [](const TfrmPic& d) { Press(d, "Button7"); Go(d, ""); }, 0, Faces(0, 20)},
        {"Go with letters", true, [](const TfrmPic& d) { Press(d, "Button7"); Go(d, "abc"); }, 0, Faces(0, 20)},
        {"下一页", true, [](const TfrmPic& d) { Press(d, "Button4"); }, 21, Faces(21, 41)},
        {"上一页", true, [](const TfrmPic& d) { Press(d, "Button7"); Press(d, "Button3"); }, 693, Faces(746, 766)},
        {"上一页 from the last page hides the egg", true,
         [](const TfrmPic& d) { Press(d, "Button6"); Press(d, "Button3"); }, 1554, Faces(2013, 2033)},
        {"首页 from the last page", true, [](const TfrmPic& d) { Press(d, "Button6"); Press(d, "Button5"); }, 0,
         Faces(0, 20)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TfrmPic dialog(nullptr, faceFile, Additional(row.additional), prompts);
        EXPECT_EQ(Find<QPushButton>(dialog, "Button8")->isEnabled(), row.additional);
        row.action(dialog);
        EXPECT_EQ(dialog.FirstIndex, row.firstIndex);
        EXPECT_EQ(Cells(dialog), row.cells);
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(Picker, RefusedMovesChangeNothingNotEvenTheHoverFrame)
{
    struct Row {
        const char* name;
        bool additional;
        const char* page;    // the button that brings up the starting page
        Action refused;
    };
    const Row rows[] = {
        {"上一页 on the first page", true, "Button5", [](const TfrmPic& d) { Press(d, "Button3"); }},
        {"下一页 on the last page", true, "Button6", [](const TfrmPic& d) { Press(d, "Button4"); }},
        {"下一页 on the last page without the additional archive", false, "Button6",
         [](const TfrmPic& d) { Press(d, "Button4"); }},
        {"Go -1", true, "Button6", [](const TfrmPic& d) { Go(d, "-1"); }},
        {"Go 2050, the extra cell", true, "Button6", [](const TfrmPic& d) { Go(d, "2050"); }},
        {"Go 2000 without the additional archive", false, "Button6", [](const TfrmPic& d) { Go(d, "2000"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TfrmPic dialog(nullptr, faceFile, Additional(row.additional), prompts);
        Press(dialog, row.page);
        MoveOver(Image(dialog, 3));
        const std::int32_t firstIndex = dialog.FirstIndex;
        const QStringList cells = Cells(dialog);
        const QLabel* frame = Find<QLabel>(dialog, "Label23");
        ASSERT_FALSE(frame->isHidden());

        row.refused(dialog);
        EXPECT_EQ(dialog.FirstIndex, firstIndex);
        EXPECT_EQ(Cells(dialog), cells);
        EXPECT_FALSE(frame->isHidden());
        EXPECT_EQ(frame->pos(), Image(dialog, 3)->pos() - QPoint(5, 5));
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(Picker, HoverFrameFollowsThePointer)
{
    TfrmPic dialog(nullptr, faceFile, addFaceFile, prompts);
    QLabel* frame = Find<QLabel>(dialog, "Label23");
    QLabel* image = Image(dialog, 12);

    MoveOver(image);
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(frame->geometry(), QRect(image->x() - 5, image->y() - 5, 74, 90));
    // Drawn: a green border 5 pixels wide on every side, the whole portrait inside it.
    const QImage shot = dialog.grab().toImage();
    const QRect picture = image->geometry();
    const QColor green(0, 128, 0);
    for (const QPoint at : {picture.topLeft() - QPoint(5, 5), picture.topLeft() - QPoint(1, 1),
                            picture.bottomRight() + QPoint(5, 5), QPoint(picture.left() - 3, picture.center().y()),
                            QPoint(picture.right() + 3, picture.center().y())})
        EXPECT_EQ(shot.pixelColor(at), green) << at.x() << "," << at.y();
    EXPECT_EQ(SampleFaceShown(shot.copy(picture)), 11);

    MoveOver(frame);
    EXPECT_TRUE(frame->isHidden());

    MoveOver(Image(dialog, 1));
    EXPECT_EQ(frame->pos(), QPoint(3, 3));
    Press(dialog, "Button4");
    EXPECT_TRUE(frame->isHidden()) << "a page turn hides the frame";

    Press(dialog, "Button6");
    MoveOver(Find<QLabel>(dialog, "imgEgg"));
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(frame->pos(), Image(dialog, 17)->pos() - QPoint(5, 5));
}

TEST_F(Picker, AnswersTheClickedPortraitOrMinusOne)
{
    struct Row {
        const char* name;
        Action page;
        Action close;
        int result;
        std::int32_t selected;
    };
    const Row rows[] = {
        {"first cell of the first page", [](const TfrmPic&) {}, [](const TfrmPic& d) { Click(Image(d, 1)); },
         QDialog::Accepted, 0},
        {"cell 9 of 追加武将 is face 2000", [](const TfrmPic& d) { Press(d, "Button8"); },
         [](const TfrmPic& d) { Click(Image(d, 9)); }, QDialog::Accepted, 1541},
        {"last cell of 新武将", [](const TfrmPic& d) { Press(d, "Button7"); },
         [](const TfrmPic& d) { Click(Image(d, 21)); }, QDialog::Accepted, 734},
        {"取消", [](const TfrmPic& d) { Press(d, "Button7"); }, [](const TfrmPic& d) { Press(d, "Button2"); },
         QDialog::Rejected, -1},
        {"closed by the window manager", [](const TfrmPic&) {}, [](const TfrmPic& d) { const_cast<TfrmPic&>(d).close(); },
         QDialog::Rejected, -1},
    };
    constexpr int kTimedOut = 99;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TfrmPic dialog(nullptr, faceFile, addFaceFile, prompts);
        row.page(dialog);
        QTimer::singleShot(0, &dialog, [&] { row.close(dialog); });
        QTimer::singleShot(5000, &dialog, [&] { dialog.done(kTimedOut); });
        EXPECT_EQ(dialog.exec(), row.result);
        EXPECT_EQ(dialog.SelectedIndex, row.selected);
    }
    EXPECT_EQ(IndexToFace(1541), 2000);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(Picker, NeitherKeysNorTheEggEndThePick)
{
    TfrmPic dialog(nullptr, faceFile, addFaceFile, prompts);
    dialog.show();
    QLineEdit* edit = Find<QLineEdit>(dialog, "Edit1");
    edit->setFocus();
    edit->setText("130");
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &press);
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.FirstIndex, 0) << "Enter does not press Go";

    Press(dialog, "Button6");
    Click(Find<QLabel>(dialog, "imgEgg"));
    EXPECT_EQ(prompts.shown, (std::vector<RecordingPrompts::Shown>{
                                 {RecordingPrompts::Shown::Kind::MessageBox, "不要点了！没看到我没有编号吗？", "抗议"}}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.SelectedIndex, 0);
    EXPECT_EQ(dialog.FirstIndex, 1575);

    // Only a left click picks.
    SendMouse(Image(dialog, 2), QEvent::MouseButtonPress, Qt::RightButton);
    SendMouse(Image(dialog, 2), QEvent::MouseButtonRelease, Qt::RightButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.SelectedIndex, 0);
}

TEST_F(Picker, WithoutTheMainArchiveSaysSoAndShowsNoPage)
{
    TfrmPic dialog(nullptr, noArchive, addFaceFile, prompts);
    EXPECT_EQ(prompts.shown, (std::vector<RecordingPrompts::Shown>{
                                 {RecordingPrompts::Shown::Kind::MessageBox, "找不到头像文件", "错误"}}));
    for (int k = 1; k <= 21; ++k) {
        EXPECT_TRUE(Image(dialog, k)->pixmap().isNull()) << k;
        EXPECT_EQ(Number(dialog, k)->text(), "0") << k;
    }
    QTimer::singleShot(5000, &dialog, [&] { dialog.done(99); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected) << "returns at once";
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.SelectedIndex, -1);
}

} // namespace
