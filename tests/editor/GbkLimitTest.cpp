#include "codeconv/Jislib.h"
#include "editor/GbkLimit.h"
#include "editor/GbkMemoLimiter.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600, outside GBK
const QString kHangul = QString::fromUtf8("\xEA\xB0\x80");    // U+AC00 가, not in GBK

TEST(GbkLimit, ByteLength)
{
    struct Case {
        const char* name;
        QString text;
        int bytes;
    } const cases[] = {
        {"empty", "", 0},
        {"ascii", "abc", 3},
        {"chinese", "张飞", 4},
        {"mixed", "a张b", 4},
        {"euro is one byte", "€", 1},
        {"lf counts two", "a\nb", 4},
        {"cr lf counts two", "a\r\nb", 4},
        {"lone cr counts two", "a\rb", 4},
        {"two line breaks", "\n\n", 4},
        {"emoji", "a" + kEmoji, -1},
        {"hangul", kHangul, -1},
        {"zero character", QString("a") + QChar(u'\0') + "b", -1},
        {"lone surrogate", QString(QChar(0xD800)), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GbkByteLength(c.text), c.bytes) << c.name;
}

TEST(GbkLimit, MeasureCountsTheRepresentableBytesBesideTheOthers)
{
    const GbkMeasure m = MeasureGbk("张" + kEmoji + "a\n" + kHangul);
    EXPECT_EQ(m.bytes, 5);
    EXPECT_EQ(m.unencodable, 2);
}

TEST(GbkLimit, FieldBytesCutAtCharacterBoundaries)
{
    struct Case {
        const char* name;
        QString text;
        int maxBytes;
        std::optional<QByteArray> bytes;
    } const cases[] = {
        {"fits", "张飞", 4, QByteArray("\xD5\xC5\xB7\xC9")},
        {"cut before a character", "张飞", 3, QByteArray("\xD5\xC5")},
        {"line breaks become cr lf", "a\nb\rc\r\nd", 20, QByteArray("a\r\nb\r\nc\r\nd")},
        {"cr lf is not split", "a\nb", 2, QByteArray("a")},
        {"euro signs one by one", "€€€", 2, QByteArray("\x80\x80")},
        {"unencodable anywhere", "ab" + kEmoji, 1, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GbkFieldBytes(c.text, c.maxBytes), c.bytes) << c.name;
}

TEST(GbkLimit, ValidatorKeepsWhatFitsOfAnEdit)
{
    struct Case {
        const char* name;
        int maxBytes;
        QString text;
        QValidator::State state;
        QString result; // the text the edit is left with
    } const cases[] = {
        {"empty", 4, "", QValidator::Acceptable, ""},
        {"two characters", 4, "张飞", QValidator::Acceptable, "张飞"},
        {"four letters", 4, "abcd", QValidator::Acceptable, "abcd"},
        {"five letters", 4, "abcde", QValidator::Acceptable, "abcd"},
        {"two characters and a letter", 4, "张飞a", QValidator::Acceptable, "张飞"},
        {"a character that would be split", 4, "a张飞", QValidator::Acceptable, "a张"},
        {"hangul", 4, kHangul, QValidator::Invalid, kHangul},
        {"emoji", 10, kEmoji, QValidator::Invalid, kEmoji},
        {"reading at its limit", 10, "0123456789", QValidator::Acceptable, "0123456789"},
        {"reading past its limit", 10, "0123456789a", QValidator::Acceptable, "0123456789"},
        {"five characters", 10, "五个汉字啊", QValidator::Acceptable, "五个汉字啊"},
    };
    for (const Case& c : cases) {
        GbkLengthValidator validator(c.maxBytes);
        QString text = c.text;
        int pos = 0;
        EXPECT_EQ(validator.validate(text, pos), c.state) << c.name;
        EXPECT_EQ(text, c.result) << c.name;
    }
}

TEST(GbkLimit, GameTextRefusesCharactersWithoutARow)
{
    ASSERT_TRUE(LoadCodeTable());
    EXPECT_EQ(MeasureGbk("张涿", TextCode::Game).unencodable, 1);
    EXPECT_EQ(MeasureGbk("张涿", TextCode::Gbk).unencodable, 0);
    EXPECT_EQ(MeasureGbk("€", TextCode::Game).unencodable, 1) << "a one-byte GBK euro sign";
    const std::optional<LimitedEdit> edit = LimitEdit("a", "a涿鹿b", 10, TextCode::Game, "名");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text, "a鹿b");
    EXPECT_EQ(edit->cursor, 3);
    EXPECT_EQ(edit->note, "“涿”无法写入游戏的文件（游戏的字库里没有对应的字），已略去。");
}

TEST(GbkLimit, LineEditKeepsTheLeadingPartOfAPasteAndRefusesTypingPastTheLimit)
{
    QLineEdit edit;
    auto* validator = new GbkLengthValidator(4, &edit, TextCode::Gbk, "姓");
    edit.setValidator(validator);
    QObject::connect(&edit, &QLineEdit::textChanged, validator, &GbkLengthValidator::Track);
    QStringList notes;
    QObject::connect(validator, &GbkLengthValidator::limited, [&notes](const QString& n) { notes << n; });
    edit.insert("张");
    edit.insert("飞a"); // a paste that would end at 5 bytes
    EXPECT_EQ(edit.text(), "张飞");
    EXPECT_EQ(notes, QStringList{"“姓”最多 4 字节，放不下的部分已略去。"});
    edit.insert("a");
    EXPECT_EQ(edit.text(), "张飞");
    edit.setCursorPosition(1);
    edit.insert(kHangul);
    EXPECT_EQ(edit.text(), "张飞");
    EXPECT_EQ(notes.size(), 3);

    // A stored text is shown as it is, even one the user could not type, so that an unchanged
    // control still commits the field's own bytes.
    validator->SetShowing(true);
    edit.setText("x" + kHangul);
    validator->SetShowing(false);
    EXPECT_EQ(edit.text(), "x" + kHangul);
}

class GbkMemoLimiterTest : public ::testing::Test {
protected:
    void SetUp() override { new GbkMemoLimiter(&memo, 150); }

    void Type(const QString& text)
    {
        memo.moveCursor(QTextCursor::End);
        memo.insertPlainText(text);
    }

    QPlainTextEdit memo;
};

TEST_F(GbkMemoLimiterTest, RefusesEditsPastTheLimit)
{
    const QString full(148, u'a');
    Type(full);
    EXPECT_EQ(memo.toPlainText(), full);

    Type("a张"); // 151 bytes: the 张 does not fit
    EXPECT_EQ(memo.toPlainText(), full + "a");
    Type("\n"); // 151 with CR LF
    EXPECT_EQ(memo.toPlainText(), full + "a");
    Type(kEmoji + "b"); // what GBK lacks is left out
    EXPECT_EQ(memo.toPlainText(), full + "ab");
    Type("c");
    EXPECT_EQ(memo.toPlainText(), full + "ab");
}

TEST_F(GbkMemoLimiterTest, ALongPasteKeepsItsLeadingPart)
{
    Type(QString(140, u'a'));
    Type("一二三四五六七八九十");
    EXPECT_EQ(memo.toPlainText(), QString(140, u'a') + "一二三四五");
    EXPECT_EQ(memo.textCursor().position(), 145);
}

TEST_F(GbkMemoLimiterTest, RefusedEditKeepsTheCursorWhereItWas)
{
    Type(QString(150, u'a'));
    QTextCursor cursor = memo.textCursor();
    cursor.setPosition(10);
    memo.setTextCursor(cursor);
    memo.insertPlainText("b");
    EXPECT_EQ(memo.toPlainText(), QString(150, u'a'));
    EXPECT_EQ(memo.textCursor().position(), 10);
}

TEST_F(GbkMemoLimiterTest, ProgramTextOverTheLimitMayShrinkButNotGrow)
{
    const QString shown(160, u'a');
    memo.setPlainText(shown);
    EXPECT_EQ(memo.toPlainText(), shown);

    Type("b");
    EXPECT_EQ(memo.toPlainText(), shown);
    memo.moveCursor(QTextCursor::End);
    memo.textCursor().deletePreviousChar();
    EXPECT_EQ(memo.toPlainText(), QString(159, u'a'));
    Type("b"); // back to 160, still more than a moment ago
    EXPECT_EQ(memo.toPlainText(), QString(159, u'a'));
}

TEST_F(GbkMemoLimiterTest, RefusalNeverBringsBackAnEarlierText)
{
    memo.setPlainText("first officer");
    {
        const QSignalBlocker blocker(&memo); // the window may fill its controls silently
        memo.setPlainText(QString(150, u'b'));
    }
    Type("c");
    EXPECT_EQ(memo.toPlainText(), QString(150, u'b'));
}

TEST_F(GbkMemoLimiterTest, ProgramTextWithUnencodableCharacterMayOnlyLoseIt)
{
    memo.setPlainText("ab" + kHangul);
    Type("c");
    EXPECT_EQ(memo.toPlainText(), "ab" + kHangul);
    memo.moveCursor(QTextCursor::End);
    memo.textCursor().deletePreviousChar();
    EXPECT_EQ(memo.toPlainText(), "ab");
    Type("c");
    EXPECT_EQ(memo.toPlainText(), "abc");
}

} // namespace
