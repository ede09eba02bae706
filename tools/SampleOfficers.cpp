#include "tools/SampleOfficers.h"

#include "officers/OfficerFile.h"
#include "officers/RecordLayout.h"
#include "platform/Gbk.h"

#include <QString>
#include <random>
#include <string_view>

namespace {

constexpr std::uint16_t kNone = kNoPerson;
constexpr std::uint16_t Officer(int slot)
{
    return static_cast<std::uint16_t>(kFirstOfficerNumber + slot);
}

struct SampleOfficer {
    const char* xing;
    const char* ming;
    const char* zi;
    const char* yin;
    const char* story;
    std::uint8_t gender, type, belief, character, drink, care, desire;
    std::uint16_t tongshuai, wuli, zhili, zhengzhi, meili, shengwang;
    std::uint16_t face, born, enter, dead;
    std::uint16_t father, mother, another, xiangxing;
};

// Names and lives are made up; relations point at each other (650 + slot), at persons of the
// game (below 650) or at nobody.
const SampleOfficer kOfficers[] = {
    {"赵", "飞", "子翔", "zhaofei", "少有勇力，善骑射。\r\n从军征战，屡立战功。",
     0, 1, 1, 2, 2, 0, 1, 78, 92, 45, 38, 70, 1200, 131, 170, 188, 228,
     kNone, kNone, Officer(4), 12},
    {"林", "远", "伯岳", "linyuan", "博览群书，通晓天文地理。\r\n隐居山中，后出仕。",
     0, 2, 2, 1, 0, 2, 0, 60, 35, 88, 80, 72, 900, 767, 175, 195, 240,
     Officer(7), kNone, kNone, Officer(5)},
    {"孙", "文", "仲华", "sunwen", "为人宽厚，善于治民。\r\n所到之处，百姓安居。",
     0, 5, 1, 1, 1, 2, 1, 70, 55, 72, 86, 81, 1500, 2000, 168, 186, 230,
     kNone, kNone, kNone, 300},
    {"周", "清", "文若", "zhouqing", "智谋过人，料事如神。\r\n每出奇计，敌军皆败。",
     0, 3, 3, 1, 1, 2, 0, 66, 30, 95, 77, 68, 1800, 1593, 172, 190, 236,
     kNone, kNone, kNone, Officer(1)},
    {"陈", "静", "婉仪", "chenjing", "性情温和，精通音律。\r\n嫁与赵飞，随军出征。",
     1, 0, 1, 0, 0, 1, 1, 40, 30, 70, 65, 90, 400, 2049, 174, 192, 241,
     kNone, kNone, Officer(0), Officer(6)},
    {"马", "腾云", "孟起", "matengyun", "出身西凉，勇冠三军。\r\n善使长枪，所向无敌。",
     0, 1, 4, 3, 2, 0, 2, 82, 97, 40, 30, 75, 1600, 5, 176, 194, 222,
     kNone, kNone, kNone, kNone},
    {"吴", "月", "", "wuyue", "自幼习武，身手敏捷。\r\n常伴父侧，出入军中。",
     1, 1, 0, 2, 1, 0, 1, 58, 76, 52, 40, 77, 300, 2031, 190, 205, 250,
     Officer(11), kNone, kNone, Officer(4)},
    {"黄", "石", "公明", "huangshi", "老成持重，善守城池。\r\n门生众多，名重一时。",
     0, 4, 1, 0, 1, 2, 0, 85, 70, 75, 60, 66, 2000, 1200, 150, 168, 215,
     kNone, kNone, kNone, 42},
    {"杨", "谦", "子和", "yangqian", "谦恭有礼，善于言辞。\r\n出使诸国，不辱使命。",
     0, 0, 3, 1, 1, 2, 1, 45, 38, 74, 79, 85, 700, 0, 180, 198, 245,
     kNone, kNone, kNone, kNone},
    {"刘", "安", "德然", "liuan", "家境贫寒，勤于农事。\r\n后得举荐，官至太守。",
     0, 0, 2, 0, 0, 2, 0, 50, 48, 60, 73, 62, 500, 573, 178, 200, 248,
     kNone, kNone, kNone, 1000},
    {"许", "青", "", "xuqing", "游侠出身，重义轻财。\r\n结交豪杰，名闻乡里。",
     0, 1, 4, 3, 2, 1, 2, 64, 83, 36, 28, 71, 250, 1000, 182, 201, 235,
     kNone, kNone, kNone, kNone},
    {"韩", "烈", "子威", "hanlie", "性格刚烈，治军严整。\r\n屡破强敌，威震边疆。",
     0, 4, 0, 2, 2, 0, 1, 90, 80, 58, 45, 60, 1700, 2010, 165, 183, 220,
     kNone, kNone, kNone, Officer(0)},
};

template <std::size_t Width>
void SetGbkText(std::array<char, Width>& field, const char* utf8)
{
    const QByteArray gbk = StringToGbk(QString::fromUtf8(utf8)).value_or(QByteArray());
    SetFieldText<static_cast<int>(Width)>(field, std::string_view(gbk.constData(), static_cast<std::size_t>(gbk.size())));
}

} // namespace

OfficerTable MakeSampleOfficerTable()
{
    OfficerTable t;
    std::mt19937 random(0x650u);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        t.Type[slot] = kNoType;
        t.Father[slot] = t.Mother[slot] = t.Another[slot] = t.Xiangxing[slot] = kNone;
    }
    int slot = 0;
    for (const SampleOfficer& o : kOfficers) {
        SetGbkText(t.Xing[slot], o.xing);
        SetGbkText(t.Ming[slot], o.ming);
        SetGbkText(t.Zi[slot], o.zi);
        SetFieldText<kYinWidth>(t.Yin[slot], o.yin);
        SetGbkText(t.Story[slot], o.story);
        t.Gender[slot] = o.gender;
        t.Type[slot] = o.type;
        t.Belief[slot] = o.belief;
        t.Character[slot] = o.character;
        t.Drink[slot] = o.drink;
        t.Care[slot] = o.care;
        t.Desire[slot] = o.desire;
        t.Tongshuai[slot] = o.tongshuai;
        t.Wuli[slot] = o.wuli;
        t.Zhili[slot] = o.zhili;
        t.Zhengzhi[slot] = o.zhengzhi;
        t.Meili[slot] = o.meili;
        t.Shengwang[slot] = o.shengwang;
        t.Face[slot] = o.face;
        t.BornYear[slot] = o.born;
        t.EnterYear[slot] = o.enter;
        t.DeadYear[slot] = o.dead;
        t.Father[slot] = o.father;
        t.Mother[slot] = o.mother;
        t.Another[slot] = o.another;
        t.Xiangxing[slot] = o.xiangxing;
        for (int b = 0; b < kSkillBytes; ++b) // a few skills each; byte 5 holds only two
            t.Skills[slot][b] = static_cast<std::uint8_t>(random() & random() & (b == 5 ? 0x03 : 0xFF));
        ++slot;
    }
    return t;
}

QByteArray MakeSampleOfficerFile()
{
    QByteArray file(kOfficerFileSize + 13, '\0');
    std::mt19937 random(0x510u);
    for (char& byte : file)
        byte = static_cast<char>(random() & 0xFF);
    PatchOfficerRecords(file, MakeSampleOfficerTable());
    return file;
}
