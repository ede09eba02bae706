#include "Roster.h"

#include <string_view>

namespace {

// The game's own officers, roster numbers 0 to 649, ten to a line.
constexpr std::string_view kGameOfficers[] = {
    "阿会喃 韦昭 伊籍 伊赏 尹大目 尹默 于禁 于诠 卫灌 袁遗", // 0-9
    "袁胤 阎宇 袁熙 阎行 阎柔 袁术 袁尚 袁绍 阎象 袁谭", // 10-19
    "阎圃 袁耀 王威 王允 王基 王颀 王匡 王业 王经 王伉", // 20-29
    "王浑 王粲 王修 王戎 王肃 王睿 王祥 区星 王双 王忠", // 30-39
    "王永 王韬 王惇 王平 王甫 王门 王凌 王累 王朗 於罗夫", // 40-49
    "温恹 何宴 蒯越 蒯良 贾华 华霰 俄何烧戈 贾逵 何仪 华歆", // 50-59
    "贾诩 郭奕 郭嘉 鄂焕 郭汜 乐就 霍峻 郝昭 乐进 乐林", // 60-69
    "郭图 士家 郝萌 郭攸之 霍弋 郭淮 夏侯威 夏侯渊 夏侯恩 夏侯和", // 70-79
    "夏侯惠 夏侯玄 夏侯尚 夏侯德 夏侯惇 夏侯霸 夏侯懋 贾充 何植 何进", // 80-89
    "贺齐 贾范 柯比能 华雄 关彝 韩胤 关羽 恒媘 管亥 毋丘俭", // 90-99
    "毋丘秀 毋丘甸 韩闾子 韩玄 韩浩 关兴 关索 韩遂 韩嵩 关靖", // 100-109
    "韩矍 阚泽 韩忠 关统 韩当 韩德 甘宁 桓范 韩馥 关平", // 110-119
    "简雍 颜良 魏延 麴义 戏志才 魏续 魏邈 魏攸 牛金 丘建", // 120-129
    "牛辅 丘本 丘力居 姜维 龚志 桥蕤 强瑞 龚都 乔瑁 许仪", // 130-139
    "许贡 许靖 许褚 许攸 纪灵 金稦 金环三节 金旋 虞汜 虞翻", // 140-149
    "邢道荣 郤正 严颜 牵弘 严纲 严畯 严政 严白虎 严兴 吴懿", // 150-159
    "黄盖 高干 黄权 黄皓 高柔 高顺 高翔 高升 黄崇 侯成", // 160-169
    "侯选 黄祖 公孙越 公孙渊 公孙恭 公孙康 公孙瓒 公孙续 公孙度 公孙范", // 170-179
    "孔岫 黄忠 高定 高沛 皇甫嵩 孔融 高览 黄乱 伍延 吴巨", // 180-189
    "国渊 吴景 吾彦 吴纲 胡济 吴粲 胡质 吴质 胡车儿 胡遵", // 190-199
    "胡轸 顾谭 呼厨泉 兀突骨 胡班 吴班 胡奋 顾雍 吴兰 胡烈", // 200-209
    "崔琰 蔡和 蔡中 蔡瑁 左奕 笮融 士匕 士徽 士匡 施朔", // 210-219
    "师纂 士袛 士変 司马懿 司马炎 司马师 司马昭 司马岫 司马孚 司马望", // 220-229
    "司马攸 司马朗 谢旌 车胄 沙摩可 朱异 周昕 周昂 周旨 周仓", // 230-239
    "周泰 州泰 周鲂 周瑜 朱桓 朱据 祝融 朱隽 朱然 朱治", // 240-249
    "朱褒 朱灵 荀彧 淳于琼 荀凯 荀勖 荀谌 荀攸 焦彝 钟毓", // 250-259
    "蒋琬 钟会 蒋干 蒋义渠 蒋钦 蒋济 谯周 蒋舒 向宠 邵悌", // 260-269
    "蒋班 蒋斌 钟繇 钟离斐 向朗 徐荣 诸葛恪 诸葛乔 诸葛瑾 诸葛均", // 270-279
    "诸葛绪 诸葛尚 诸葛靓 诸葛瞻 诸葛诞 诸葛亮 徐晃 徐质 徐庶 徐盛", // 280-289
    "徐邈 沈莹 申仪 岑昏 辛敞 申耽 审配 辛毗 辛评 秦宓", // 290-299
    "秦朗 硅元进 硅固 邹靖 邹丹 成宜 成公英 盛曼 石苞 薛莹", // 300-309
    "薛诩 薛综 全祎 全怿 全纪 单经 全尚 全琮 全端 曹宇", // 310-319
    "曹睿 曹奂 曹义 曹休 曹训 宋宪 宋谦 曹昂 曹洪 曹纯", // 320-329
    "曹彰 曹植 曹真 曹仁 曹性 曹操 曹爽 曹冲 臧霸 曹丕", // 330-339
    "曹豹 曹芳 曹髦 曹熊 沮鹄 沮授 苏飞 祖茂 苏由 孙异", // 340-349
    "孙和 孙桓 孙冀 孙休 孙匡 孙歆 孙坚 孙乾 孙权 孙皓", // 350-359
    "孙皎 孙策 孙秀 孙峻 孙韶 孙震 孙静 孙仲 孙林 孙登", // 360-369
    "孙瑜 孙翊 孙亮 孙礼 孙朗 太史享 太史慈 带来洞主 戴陵 朵思大王", // 370-379
    "谭雄 张允 赵云 张卫 张英 张燕 张横 张温 张华 张闿", // 380-389
    "张角 张既 张休 张球 张嶷 张勋 张虎 张纮 张合 赵广", // 390-399
    "赵弘 张济 张绣 张缉 张遵 张昭 张松 张绍 张承 张任", // 400-409
    "张悌 赵统 张特 张南 张邈 赵范 张飞 张布 张苞 张宝", // 410-419
    "张曼成 张扬 张翼 张辽 张梁 赵累 张鲁 陈横 陈应 陈纪", // 420-429
    "陈宫 陈矫 陈群 陈圭 陈骞 陈寿 陈式 陈震 陈泰 陈登", // 430-439
    "陈到 陈表 陈武 陈兰 陈琳 程昱 程远志 丁仪 程银 丁原", // 440-449
    "程普 程武 程秉 丁奉 丁封 典韦 田楷 田续 田畴 田丰", // 450-459
    "典满 田豫 滕胤 董允 邓艾 党均 董厥 陶谦 邓贤 邓芝", // 460-469
    "唐咨 董袭 滕滫 陶睿 董承 董昭 董卓 邓忠 董朝 董荼那", // 470-479
    "蹋顿 唐彬 董文 邓茂 董和 杜预 审随 裴元绍 裴秀 马玩", // 480-489
    "马休 马均 波才 马遵 马谡 马岱 马忠 马忠 马超 马铁", // 490-499
    "马腾 马邈 马良 万彧 樊建 潘睿 潘璋 樊稠 樊能 潘凤", // 500-509
    "潘临 费袆 卑衍 费诗 糜竺 糜芳 费耀 武安国 冯习 傅嘏", // 510-519
    "傅士仁 傅俭 傅撰 傅彤 文鸯 文钦 文虎 文丑 文聘 卞喜", // 520-529
    "方悦 庞会 忙牙长 逢纪 庞义 鲍信 法正 庞统 庞德 鲍隆", // 530-539
    "步协 穆顺 濮阳兴 木鹿大王 步骘 步阐 步度根 满宠 迷当大王 毛玠", // 540-549
    "孟获 孟宗 孟达 孟优 俞涉 杨怀 雍闿 杨仪 杨欣 羊牯", // 550-559
    "杨弘 杨昂 杨济 杨丑 杨修 杨秋 杨松 杨任 杨祚 杨肇", // 560-569
    "杨柏 杨阜 杨奉 杨锋 雷铜 雷薄 骆统 罗宪 李异 李恢", // 570-579
    "李榷 陆凯 陆抗 陆绩 陆逊 李严 李儒 李肃 李胜 李堪", // 580-589
    "李通 李典 李丰 李丰 李丰 刘焉 刘溃 刘琦 刘虞 刘勋", // 590-599
    "刘贤 留赞 刘循 刘璋 刘劭 刘丞 刘谌 刘睿 刘禅 刘琮", // 600-609
    "刘岱 刘度 刘巴 刘磐 刘备 刘表 刘豹 刘馥 留平 刘辟", // 610-619
    "刘封 刘晔 刘繇 留略 吕威璜 廖化 梁兴 梁纲 梁习 梁绪", // 620-629
    "凌操 凌统 廖立 吕凯 吕据 吕虔 吕旷 吕翔 吕岱 吕范", // 630-639
    "吕布 吕蒙 伦直 冷苞 娄圭 楼玄 楼班 鲁肃 鲁淑 庐植", // 640-649
};

// The special and generic persons, roster numbers 760 to 831.
constexpr std::string_view kSpecialPersons[] = {
    "灵帝 少帝 献帝 于吉 华佗 管辂 许劭 左慈 司马徽 弥衡", // 760-769
    "貂蝉 大乔 小乔 蔡琰 孙尚香 黄月英 甄氏 邹氏 糜氏 樊氏", // 770-779
    "夏侯氏 吴国太 乔玄 黄承彦 张让 蹇硕 北斗 南斗 赤坊 传令", // 780-789
    "有力者 医者 天文官 皇后 老翁 老婆 仙人 恶臣 宦官 文官", // 790-799
    "使者 武官 兵士 卫士 贼徒 黄巾贼 武艺者 农民 商人 劳动者", // 800-809
    "若者 町娘 童子 童女 金持 职人 泥棒 旅人 酒家娘 饭店娘", // 810-819
    "渔师 学者 乌丸大将 乌丸武将 羌大将 羌武将 山越大将 山越武将 南蛮大将 南蛮武将", // 820-829
    "倭人 异民族", // 830-831
};

constexpr int kGameOfficerCount = 650;
constexpr int kRegisteredCount = kSlotCount;
constexpr int kSpecialCount = 72;
constexpr int kNumberedSpecialFirst = kGameOfficerCount + kRegisteredCount + kSpecialCount; // 832
static_assert(kNumberedSpecialFirst + 28 == kRosterNone);

void AppendNames(QStringList& roster, std::string_view line)
{
    const QStringList names = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()))
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    roster += names;
}

QStringList BuildInitialRoster()
{
    QStringList roster;
    roster.reserve(kRosterSize);
    for (std::string_view line : kGameOfficers)
        AppendNames(roster, line);
    Q_ASSERT(roster.size() == kGameOfficerCount);
    for (int slot = 0; slot < kRegisteredCount; ++slot)
        roster += QStringLiteral("新武将%1").arg(slot + 1);
    for (std::string_view line : kSpecialPersons)
        AppendNames(roster, line);
    Q_ASSERT(roster.size() == kNumberedSpecialFirst);
    // The special persons the game leaves unnamed count on from 73.
    for (int position = kNumberedSpecialFirst; position < kRosterNone; ++position)
        roster += QStringLiteral("特殊%1").arg(kSpecialCount + 1 + (position - kNumberedSpecialFirst));
    roster += QStringLiteral("无");
    Q_ASSERT(roster.size() == kRosterSize);
    return roster;
}

QByteArray XingMing(const OfficerTable& table, int slot)
{
    const std::string_view xing = FieldText(table.Xing.at(static_cast<std::size_t>(slot)));
    const std::string_view ming = FieldText(table.Ming.at(static_cast<std::size_t>(slot)));
    QByteArray name(xing.data(), static_cast<qsizetype>(xing.size()));
    name.append(ming.data(), static_cast<qsizetype>(ming.size()));
    return name;
}

} // namespace

const QStringList& InitialRoster()
{
    static const QStringList roster = BuildInitialRoster();
    return roster;
}

int RelationToPosition(std::uint16_t value)
{
    return value < kRosterNone ? value : kRosterNone;
}

std::uint16_t PositionToRelation(int position)
{
    // A combo box only reports -1..860; anything else is treated as no person rather than
    // being cut down to 16 bits and naming somebody by accident.
    if (position < 0 || position >= kRosterNone)
        return kNoPerson;
    return static_cast<std::uint16_t>(position);
}

QByteArray NewOfficerName(int slot)
{
    // "新武将" in GBK; the names live as bytes, like every officer text in the table.
    return QByteArray("\xD0\xC2\xCE\xE4\xBD\xAB") + QByteArray::number(slot + 1);
}

QByteArray RosterName(const OfficerTable& table, int slot)
{
    QByteArray name = XingMing(table, slot);
    return name.isEmpty() ? NewOfficerName(slot) : name;
}

QByteArray CommittedRosterName(const OfficerTable& table, int slot)
{
    return XingMing(table, slot);
}
