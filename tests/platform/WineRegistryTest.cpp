#include "platform/WineRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Kind = RegistryValue::Kind;

const char* const kKey = "\\Software\\Koei\\San10\\Install";

// A user.reg as Wine writes it, with the given lines as the body of the game's key.
QByteArray UserReg(const QByteArray& values)
{
    return "WINE REGISTRY Version 2\n"
           ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
           "\n"
           "#arch=win32\n"
           "\n"
           "[Software\\\\Koei\\\\San10] 1700000000\n"
           "#time=1da0000000000000\n"
           "\n"
           "[Software\\\\Koei\\\\San10\\\\Install] 1700000000\n"
           "#time=1da0000000000000\n"
           + values +
           "\n"
           "[Software\\\\Wine] 1700000000\n"
           "\"Version\"=\"win10\"\n";
}

struct ParseCase {
    const char* name;
    QByteArray file;
    Kind kind;
    QString text;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class WineRegParse : public testing::TestWithParam<ParseCase> {};

TEST_P(WineRegParse, FindsTheValue)
{
    const ParseCase& c = GetParam();
    const RegistryValue value = FindWineRegValue(c.file, kKey, "InstallInfo");
    EXPECT_EQ(value.kind, c.kind);
    EXPECT_EQ(value.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WineRegParse,
    testing::Values(
        ParseCase{"plain", UserReg(R"("InstallInfo"="C:\\Koei\\San10")"), Kind::Text, R"(C:\Koei\San10)"},
        ParseCase{"quoteAndBackslash", UserReg(R"("InstallInfo"="a\"b\\c\"")"), Kind::Text, R"(a"b\c")"},
        ParseCase{"controlEscapes", UserReg(R"("InstallInfo"="a\tb\nc\rd\ae")"), Kind::Text,
                  QStringLiteral("a\tb\nc\rd\ae")},
        ParseCase{"octal", UserReg(R"("InstallInfo"="\101\1010")"), Kind::Text, "AA0"},
        ParseCase{"hexUnits", UserReg(R"("InstallInfo"="D:\\\x4e09\x56fd\x5fd7X")"), Kind::Text,
                  QStringLiteral(u"D:\\三国志X")},
        ParseCase{"hexShortBeforeNonHex", UserReg(R"("InstallInfo"="caf\xe9!")"), Kind::Text, QStringLiteral(u"café!")},
        ParseCase{"hexSurrogatePair", UserReg(R"("InstallInfo"="\xd840\xdc0b")"), Kind::Text, QStringLiteral(u"\U0002000B")},
        ParseCase{"hexWithoutDigits", UserReg(R"("InstallInfo"="a\xz")"), Kind::Text, "axz"},
        ParseCase{"rawUtf8", UserReg("\"InstallInfo\"=\"D:\\\\\xe4\xb8\x89\xe5\x9b\xbd\""), Kind::Text,
                  QStringLiteral(u"D:\\三国")},
        ParseCase{"endsAtNul", UserReg(R"("InstallInfo"="ab\0cd")"), Kind::Text, "ab"},
        ParseCase{"valueNameCase", UserReg(R"("INSTALLINFO"="x")"), Kind::Text, "x"},
        ParseCase{"keyCase",
                  "WINE REGISTRY Version 2\n[software\\\\KOEI\\\\san10\\\\install] 1\n\"InstallInfo\"=\"x\"\n", Kind::Text,
                  "x"},
        ParseCase{"crlfLines", "WINE REGISTRY Version 2\r\n[Software\\\\Koei\\\\San10\\\\Install] 1\r\n\"InstallInfo\"=\"x\"\r\n",
                  Kind::Text, "x"},
        ParseCase{"blanksAroundEquals", UserReg(R"("InstallInfo" = "x")"), Kind::Text, "x"},
        ParseCase{"emptyString", UserReg(R"("InstallInfo"="")"), Kind::Text, ""},
        ParseCase{"laterDefinitionWins", UserReg("\"InstallInfo\"=\"old\"\n\"InstallInfo\"=\"new\""), Kind::Text, "new"},
        // REG_EXPAND_SZ is read as a string, unexpanded.
        ParseCase{"expandString", UserReg(R"("InstallInfo"=str(2):"%ProgramFiles%\\Koei")"), Kind::Text,
                  R"(%ProgramFiles%\Koei)"},
        // Wine writes an empty or unterminated REG_SZ in hex, as UTF-16LE bytes.
        ParseCase{"stringInHex", UserReg("\"InstallInfo\"=hex(1):43,00,3a,00,5c,00,\\\n  4b,00,00,00"), Kind::Text,
                  R"(C:\K)"},
        ParseCase{"emptyStringInHex", UserReg(R"("InstallInfo"=hex(1):)"), Kind::Text, ""},
        ParseCase{"multiString", UserReg(R"("InstallInfo"=str(7):"a\0b\0")"), Kind::NotText, ""},
        ParseCase{"dword", UserReg(R"("InstallInfo"=dword:00000001)"), Kind::NotText, ""},
        ParseCase{"binary", UserReg(R"("InstallInfo"=hex:43,00)"), Kind::NotText, ""},
        ParseCase{"qword", UserReg(R"("InstallInfo"=hex(b):01,00,00,00,00,00,00,00)"), Kind::NotText, ""},
        ParseCase{"unterminatedString", UserReg(R"("InstallInfo"="C:\\Koei)"), Kind::NotText, ""},
        ParseCase{"badHex", UserReg(R"("InstallInfo"=hex(1):4g,00)"), Kind::NotText, ""},
        ParseCase{"noValue", UserReg(R"("Other"="x")"), Kind::NoValue, ""},
        ParseCase{"valueOfAnotherKey",
                  "WINE REGISTRY Version 2\n[Software\\\\Koei\\\\San10\\\\Install] 1\n\n"
                  "[Software\\\\Koei\\\\San10\\\\Other] 1\n\"InstallInfo\"=\"x\"\n",
                  Kind::NoValue, ""},
        ParseCase{"subkeyOnly", "WINE REGISTRY Version 2\n[Software\\\\Koei\\\\San10\\\\Install\\\\Sub] 1\n\"InstallInfo\"=\"x\"\n",
                  Kind::NoKey, ""},
        ParseCase{"missingKey", "WINE REGISTRY Version 2\n[Software\\\\Wine] 1\n\"InstallInfo\"=\"x\"\n", Kind::NoKey, ""},
        ParseCase{"missingHeader", "[Software\\\\Koei\\\\San10\\\\Install] 1\n\"InstallInfo\"=\"x\"\n", Kind::NoKey, ""},
        ParseCase{"otherVersion", "WINE REGISTRY Version 1\n[Software\\\\Koei\\\\San10\\\\Install] 1\n\"InstallInfo\"=\"x\"\n",
                  Kind::NoKey, ""},
        ParseCase{"empty", "", Kind::NoKey, ""}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

class WineRegistryPrefix : public testing::Test {
protected:
    QTemporaryDir prefix;
    WineRegistry registry{prefix.path()};
};

TEST_F(WineRegistryPrefix, ReadsUserRegOfThePrefix)
{
    EXPECT_EQ(registry.ReadValue(kKey, "InstallInfo").kind, Kind::NoKey) << "no user.reg";

    QFile file(prefix.filePath("user.reg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(UserReg(R"("InstallInfo"="C:\\Koei\\San10")"));
    file.close();
    EXPECT_EQ(registry.ReadValue(kKey, "InstallInfo"), (RegistryValue{Kind::Text, R"(C:\Koei\San10)"}));
    EXPECT_EQ(registry.ReadValue("Software\\Koei\\San10\\Install", "InstallInfo").kind, Kind::Text)
        << "the leading backslash is optional";
}

TEST_F(WineRegistryPrefix, UnreadableUserRegCountsAsMissingKey)
{
    ASSERT_TRUE(QDir(prefix.path()).mkdir("user.reg"));
    EXPECT_EQ(registry.ReadValue(kKey, "InstallInfo").kind, Kind::NoKey);
}

TEST_F(WineRegistryPrefix, MapsWindowsPathsThroughDosdevices)
{
    const QString dos = prefix.path() + "/dosdevices/";
    ASSERT_TRUE(QDir().mkpath(dos));
    ASSERT_TRUE(QDir().mkpath(prefix.path() + "/drive_c"));
    ASSERT_TRUE(QFile::link("../drive_c", dos + "c:"));
    const struct {
        QString windows, local;
    } cases[] = {
        {R"(C:\Koei\San10)", dos + "c:/Koei/San10"},
        {R"(c:\Koei\San10\)", dos + "c:/Koei/San10/"},
        {R"(D:\)", dos + "d:/"},
        {"E:", dos + "e:"},
        {R"(F:Koei)", dos + "f:/Koei"},
        {"/opt/games/San10", "/opt/games/San10"},
        {R"(Koei\San10)", "Koei/San10"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(registry.LocalPath(c.windows), c.local) << c.windows.toStdString();
}

// Wine makes drive C of the prefix's drive_c when the link is gone; a link that leads nowhere
// would only hide the game.
TEST_F(WineRegistryPrefix, DriveCWithoutAWorkingLinkIsDriveC)
{
    const QString dos = prefix.path() + "/dosdevices/";
    EXPECT_EQ(registry.LocalPath(R"(C:\Koei\San10)"), prefix.path() + "/drive_c/Koei/San10") << "no dosdevices";
    ASSERT_TRUE(QDir().mkpath(dos));
    ASSERT_TRUE(QFile::link(prefix.path() + "/gone", dos + "c:"));
    EXPECT_EQ(registry.LocalPath(R"(c:\)"), prefix.path() + "/drive_c/") << "dangling link";
    EXPECT_EQ(registry.LocalPath(R"(D:\Koei)"), dos + "d:/Koei") << "other drives keep their link";
}

TEST(WineRegistryDefaultPrefix, IsWineprefixElseDotWine)
{
    const QByteArray saved = qgetenv("WINEPREFIX");
    const bool wasSet = qEnvironmentVariableIsSet("WINEPREFIX");

    qputenv("WINEPREFIX", "/srv/wine/san10");
    EXPECT_EQ(WineRegistry::DefaultPrefix(), "/srv/wine/san10");
    qunsetenv("WINEPREFIX");
    EXPECT_EQ(WineRegistry::DefaultPrefix(), QDir::homePath() + "/.wine");

    if (wasSet)
        qputenv("WINEPREFIX", saved);
}

} // namespace
