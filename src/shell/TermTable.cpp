#include "shell/TermTable.h"

#include <cstdlib>

namespace trvx {

// The English column is the program's own wording and stays as it is, misspellings included.
const std::array<TTerm, kTermCount> TermTable = {{
    {0, {"Office Mode", "", "办公模式"}},
    {1, {"Gaming Mode", "", "游戏模式"}},
    {2, {"Profile3", "", "配置3"}},
    {3, {"Advanced", "", "高级"}},
    {4, {"Breathing Light", "", "呼吸灯"}},
    {5, {"Macro", "", "宏"}},
    {6, {"Update", "", "更新"}},
    {7, {"Engineer Mode", "", "工程模式"}},
    {8, {"Load", "", "载入"}},
    {9, {"Save", "", "保存"}},
    {10, {"Default", "", "默认"}},
    {11, {"Import Base Macro", "", "导入基础宏"}},
    {12, {"Import Fire Macro", "", "导入连发宏"}},
    {13, {"Load Patch Code", "", "载入补丁代码"}},
    {14, {"LED Setting", "", "LED 设置"}},
    {15, {"LED Mode:", "", "LED 模式："}},
    {16, {"LED Type:", "", "LED 类型："}},
    {17, {"LED Number:", "", "LED 数量："}},
    {18, {"RGB LED", "", "RGB LED"}},
    {19, {"Sync LED", "", "同步 LED"}},
    {20, {"ZK LED", "", "ZK LED"}},
    {21, {"MCU LED", "", "MCU LED"}},
    {22, {"LED Step:", "", "LED 档位："}},
    {23, {"LED Light Mode:", "", "LED 发光模式："}},
    {24, {"Half Light", "", "半亮"}},
    {25, {"All Light", "", "全亮"}},
    {26, {"Off", "", "关闭"}},
    {27, {"Random", "", "随机"}},
    {28, {"Sequence", "", "顺序"}},
    {29, {"Fixed", "", "固定"}},
    {30, {"Blend", "", "混色"}},
    {31, {"CPI Breath", "", "CPI 呼吸"}},
    {32, {"Sync Breath", "", "同步呼吸"}},
    {33, {"Sync No-breath", "", "同步常亮"}},
    {34, {"Random", "", "随机"}},
    {35, {"Blend", "", "混色"}},
    {36, {"Fixed", "", "固定"}},
    {37, {"CPI Breath", "", "CPI 呼吸"}},
    {38, {"CPI Breath", "", "CPI 呼吸"}},
    {39, {"Colorful Light", "", "炫彩灯效"}},
    {40, {"Rainbow", "", "彩虹"}},
    {41, {"Floe Light", "", "浮冰灯效"}},
    {42, {"Waltz Light", "", "华尔兹灯效"}},
    {43, {"4-Seasons", "", "四季"}},
    {44, {"LED Mode Select", "", "LED 模式选择"}},
    {45, {"CPI", "", "CPI"}},
    {46, {"CPI Steps:", "", "CPI 档数："}},
    {47, {"Current CPI:", "", "当前 CPI："}},
    {48, {"CPI 1:", "", "CPI 1："}},
    {49, {"CPI 2:", "", "CPI 2："}},
    {50, {"CPI 3:", "", "CPI 3："}},
    {51, {"CPI 4:", "", "CPI 4："}},
    {52, {"CPI 5:", "", "CPI 5："}},
    {53, {"CPI 6:", "", "CPI 6："}},
    {54, {"CPI 7:", "", "CPI 7："}},
    {55, {"CPI 8:", "", "CPI 8："}},
    {56, {"Fire Key", "", "连发键"}},
    {57, {"Fire Key 1:", "", "连发键 1："}},
    {58, {"Fire Key 2:", "", "连发键 2："}},
    {59, {"Fire Key 3:", "", "连发键 3："}},
    {60, {"Repeat", "", "重复次数"}},
    {61, {"Time (*1ms)", "", "时间 (*1ms)"}},
    {62, {"Continue", "", "连续"}},
    {63, {"VID/PID/USB Description", "", "VID/PID/USB 描述"}},
    {64, {"VID:", "", "VID："}},
    {65, {"(Hex)", "", "(十六进制)"}},
    {66, {"PID:", "", "PID："}},
    {67, {"(Hex)", "", "(十六进制)"}},
    {68, {"USB Description:", "", "USB 描述："}},
    {69, {"LED Color", "", "LED 颜色"}},
    {70, {"Color1 R:", "", "颜色1 R："}},
    {71, {"Color1 G:", "", "颜色1 G："}},
    {72, {"Color1 B:", "", "颜色1 B："}},
    {73, {"Color2 R:", "", "颜色2 R："}},
    {74, {"Color2 G:", "", "颜色2 G："}},
    {75, {"Color2 B:", "", "颜色2 B："}},
    {76, {"Color3 R:", "", "颜色3 R："}},
    {77, {"Color3 G:", "", "颜色3 G："}},
    {78, {"Color3 B:", "", "颜色3 B："}},
    {79, {"Color4 R:", "", "颜色4 R："}},
    {80, {"Color4 G:", "", "颜色4 G："}},
    {81, {"Color4 B:", "", "颜色4 B："}},
    {82, {"Color5 R:", "", "颜色5 R："}},
    {83, {"Color5 G:", "", "颜色5 G："}},
    {84, {"Color5 B:", "", "颜色5 B："}},
    {85, {"Color6 R:", "", "颜色6 R："}},
    {86, {"Color6 G:", "", "颜色6 G："}},
    {87, {"Color6 B:", "", "颜色6 B："}},
    {88, {"Color7 R:", "", "颜色7 R："}},
    {89, {"Color7 G:", "", "颜色7 G："}},
    {90, {"Color7 B:", "", "颜色7 B："}},
    {91, {"Color8 R:", "", "颜色8 R："}},
    {92, {"Color8 G:", "", "颜色8 G："}},
    {93, {"Color8 B:", "", "颜色8 B："}},
    {94, {"Color9 R:", "", "颜色9 R："}},
    {95, {"Color9 G:", "", "颜色9 G："}},
    {96, {"Color9 B:", "", "颜色9 B："}},
    {97, {"Color10 R:", "", "颜色10 R："}},
    {98, {"Color10 G:", "", "颜色10 G："}},
    {99, {"Color10 B:", "", "颜色10 B："}},
    {100, {"CPI Color", "", "CPI 颜色"}},
    {101, {"LED Breath", "", "LED 呼吸"}},
    {102, {"LED Lower:", "", "LED 下限："}},
    {103, {"LED Upper:", "", "LED 上限："}},
    {104, {"Lower Delay:", "", "下限延时："}},
    {105, {"Upper Delay:", "", "上限延时："}},
    {106, {"Step Delay:", "", "步进延时："}},
    {107, {"Switch Mouse LED Mode:", "", "切换鼠标 LED 模式："}},
    {108, {"No", "", "无"}},
    {109, {"'Back'+'Right Key'", "", "'后退键'+'右键'"}},
    {110, {"Switch Mouse Gaming Mode:", "", "切换鼠标游戏模式："}},
    {111, {"No", "", "无"}},
    {112, {"Press 'Middle Key'", "", "按 '中键'"}},
    {113, {"Press 'CPI Loop'", "", "按 'CPI 循环键'"}},
    {114, {"Press 'CPI +'", "", "按 'CPI +'"}},
    {115, {"Press 'CPI -'", "", "按 'CPI -'"}},
    {116, {"'Back'+'Right Key'", "", "'后退键'+'右键'"}},
    {117, {"'Forward'+'Right Key'", "", "'前进键'+'右键'"}},
    {118, {"Enable Gun Key Switch Gaimg Mode", "", "启用枪键切换游戏模式"}},
    {119, {"AIM Key CPI:", "", "狙击键 CPI："}},
    {120, {"Button Effect Switch:", "", "按键灯效开关："}},
    {121, {"Off", "", "关"}},
    {122, {"On", "", "开"}},
    {123, {"Office Mode Color:", "", "办公模式颜色："}},
    {124, {"Gaming Mode Color:", "", "游戏模式颜色："}},
    {125, {"Profile 3 Color:", "", "配置 3 颜色："}},
    {126, {"Color 1", "", "颜色 1"}},
    {127, {"Color 2", "", "颜色 2"}},
    {128, {"Color 3", "", "颜色 3"}},
    {129, {"Color 4", "", "颜色 4"}},
    {130, {"Color 5", "", "颜色 5"}},
    {131, {"Color 6", "", "颜色 6"}},
    {132, {"Color 7", "", "颜色 7"}},
    {133, {"Color 8", "", "颜色 8"}},
    {134, {"Color 9", "", "颜色 9"}},
    {135, {"Color 10", "", "颜色 10"}},
    {136, {"Fixed Color", "", "固定颜色"}},
    {137, {"USB Report:", "", "USB 回报率："}},
    {138, {"Sensor Rotation:", "", "传感器旋转："}},
    {139, {"Vendor ID:", "", "厂商 ID："}},
    {140, {"Product ID:", "", "产品 ID："}},
    {141, {"Current Profile:", "", "当前配置："}},
    {142, {"Office Mode", "", "办公模式"}},
    {143, {"Gaming Mode", "", "游戏模式"}},
    {144, {"Profile 3", "", "配置 3"}},
    {145, {"Current Profile Color:", "", "当前配置颜色："}},
    {146, {"CPI/Profile Test", "", "CPI/配置测试"}},
    {147, {"Profile", "", "配置"}},
    {148, {"Fire Key X/Y Offset", "", "连发键 X/Y 偏移"}},
    {149, {"Fire Key Setting", "", "连发键设置"}},
    {150, {"Is Left Key in Fire Key:", "", "左键是否为连发键："}},
    {151, {"Fire Key Start:", "", "连发键起始："}},
    {152, {"Fire Key Number:", "", "连发键数量："}},
    {153, {"New Fire Key", "", "新建连发键"}},
    {154, {"Delect Fire Key", "", "删除连发键"}},
}};

void TermText(std::uint8_t column, int code, std::string& text) {
    if (column >= 3)
        return;
    for (const TTerm& term : TermTable) {
        if (term.Code == code) {
            text = std::string(term.Text[column]);
            return;
        }
    }
}

std::uint8_t TermColumnForLocale(std::string_view localeName) {
    // "zh_CN", "zh_CN.UTF-8", "zh_CN.GB2312", "zh_CN@modifier"; Qt spells it "zh-CN" too.
    if (localeName.size() < 5 || localeName.substr(0, 2) != "zh" ||
        (localeName[2] != '_' && localeName[2] != '-') || localeName.substr(3, 2) != "CN")
        return kTermColumnEnglish;
    if (localeName.size() > 5 && localeName[5] != '.' && localeName[5] != '@')
        return kTermColumnEnglish;
    return kTermColumnChinese;
}

std::uint8_t TermColumnForLcid(std::uint32_t lcid) {
    return lcid == 2052 ? kTermColumnChinese : kTermColumnEnglish;
}

std::string UiLocaleFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

std::array<std::string, 21> LEDModeNames(std::uint8_t column) {
    std::array<std::string, 21> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        TermText(column, kLEDModeNameTerms[i], names[i]);
    return names;
}

} // namespace trvx
