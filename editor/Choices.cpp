#include "editor/Choices.h"

#include <array>

namespace {

struct ChoiceList {
    const char* box;
    QStringList entries;
};

const std::array<ChoiceList, FormChoice::Count>& Lists()
{
    // "小心 " ends in a blank in the game's own list; kept so.
    static const std::array<ChoiceList, FormChoice::Count> lists = {{
        {"ComboBox_Type", {"平凡", "猛将", "识者", "策士", "将军", "万能"}},
        {"ComboBox_Belief", {"大志", "忠义", "临机", "功名", "我道"}},
        {"ComboBox_Character", {"小心 ", "冷静", "刚胆", "猪突"}},
        {"ComboBox_Drink", {"苦手", "普通", "得意"}},
        {"ComboBox_Care", {"武艺", "收集", "读书"}},
        {"ComboBox_Desire", {"无欲", "普通", "强欲"}},
        {"ComboBox_Gender", {"男", "女"}},
    }};
    return lists;
}

} // namespace

const QStringList& ChoiceEntries(int list)
{
    return Lists().at(static_cast<std::size_t>(list)).entries;
}

const char* ChoiceBoxName(int list)
{
    return Lists().at(static_cast<std::size_t>(list)).box;
}
