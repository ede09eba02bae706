#include "app/TForm_Help.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Key {
    const char* name;
    Qt::Key key;
    bool closes;
};

TEST(SplashTest, CharacterKeysCloseItOtherKeysDoNot)
{
    const Key keys[] = {
        {"letter", Qt::Key_A, true},  {"space", Qt::Key_Space, true}, {"enter", Qt::Key_Return, true},
        {"escape", Qt::Key_Escape, true}, {"shift", Qt::Key_Shift, false}, {"arrow", Qt::Key_Left, false},
        {"function", Qt::Key_F5, false},
    };
    for (const Key& k : keys) {
        SCOPED_TRACE(k.name);
        TForm_Help splash;
        splash.show();
        QTest::keyClick(&splash, k.key);
        EXPECT_EQ(splash.isVisible(), !k.closes);
    }
}

TEST(SplashTest, ClicksCloseItButTheLinksOpenThePageAndKeepItOpen)
{
    TForm_Help splash;
    QList<QUrl> opened;
    splash.openUrl = [&opened](const QUrl& url) { opened.append(url); };
    splash.show();

    QTest::mouseClick(splash.Label13, Qt::LeftButton);
    QTest::mouseClick(splash.Label22, Qt::LeftButton);
    EXPECT_TRUE(splash.isVisible());
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("README.md"));

    QTest::mouseClick(splash.findChild<QLabel*>("Label10"), Qt::LeftButton);
    EXPECT_FALSE(splash.isVisible()) << "a click on another label closes it";

    TForm_Help second;
    second.show();
    QTest::mouseClick(&second, Qt::LeftButton, {}, QPoint(200, 400));
    EXPECT_FALSE(second.isVisible()) << "a click on the bare surface closes it";
}

TEST(SplashTest, LinksLightUpUnderThePointerAndResetOnlyOverTheBareSurface)
{
    TForm_Help splash;
    splash.show();
    const QColor blue(0, 0, 255);
    const QColor lime(0, 255, 0);
    EXPECT_EQ(splash.Label13->palette().color(QPalette::WindowText), blue);

    QTest::mouseMove(splash.Label13);
    EXPECT_EQ(splash.Label13->palette().color(QPalette::WindowText), lime);
    EXPECT_TRUE(splash.Label13->font().underline());

    QTest::mouseMove(splash.findChild<QLabel*>("Label14")); // another label keeps the highlight
    EXPECT_EQ(splash.Label13->palette().color(QPalette::WindowText), lime);

    QTest::mouseMove(&splash, QPoint(420, 260)); // bare surface
    EXPECT_EQ(splash.Label13->palette().color(QPalette::WindowText), blue);
    EXPECT_FALSE(splash.Label13->font().underline());
    EXPECT_TRUE(splash.Label13->font().bold());
}

TEST(SplashTest, IsAFramelessSquareOf433)
{
    TForm_Help splash;
    EXPECT_EQ(splash.size(), QSize(433, 433));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
}

TEST(SplashTest, NamesTheWinePrefixTheGameWasFoundIn)
{
    TForm_Help none;
    EXPECT_FALSE(none.findChild<QLabel*>("Label_Prefix")->isVisibleTo(&none));

    const QString steam = "~/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/40960/pfx";
    TForm_Help splash(nullptr, steam);
    const QLabel* line = splash.findChild<QLabel*>("Label_Prefix");
    EXPECT_TRUE(line->isVisibleTo(&splash));
    EXPECT_EQ(line->toolTip(), "Wine 前缀：" + steam);
    EXPECT_TRUE(line->text().endsWith("40960/pfx")) << "cut in the middle, the end kept";
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width());
    EXPECT_EQ(line->geometry(), QRect(113, 378, 207, 14)) << "between the lower corner pictures";
}

} // namespace
