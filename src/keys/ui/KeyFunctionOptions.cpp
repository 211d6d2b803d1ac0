#include "keys/ui/KeyFunctionOptions.h"

#include "controls/skinned/ui/SkinCheckBox.h"

#include <QComboBox>
#include <QLineEdit>

#include <string>

namespace trvx {
namespace {

std::string Named(const char* stem, int n, const char* tail = "") {
    return stem + std::to_string(n) + tail;
}

std::optional<int> EditNumber(PageHost& host, const std::string& name, int base = 10) {
    auto* edit = qobject_cast<QLineEdit*>(host.Control(name));
    if (edit == nullptr)
        return std::nullopt;
    bool ok = false;
    const int value = edit->text().toInt(&ok, base);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int ComboIndex(PageHost& host, const char* name) {
    auto* combo = qobject_cast<QComboBox*>(host.Control(name));
    return combo != nullptr ? combo->currentIndex() : -1;
}

// Items 0..8 of the combination-enable combos stand for 0, 1, 2, 4 ... 128.
void TakeComboValue(PageHost& host, const char* name, std::uint8_t& field) {
    const int index = ComboIndex(host, name);
    if (index >= 0 && index <= 8)
        field = index == 0 ? 0 : static_cast<std::uint8_t>(1u << (index - 1));
}

void TakeFlag(PageHost& host, const char* name, bool& field) {
    const int index = ComboIndex(host, name);
    if (index == 0 || index == 1)
        field = index == 1;
}

} // namespace

void CollectKeyFunctionOptions(PageHost& host, KeyEntryContext& ctx) {
    for (int n = 1; n <= 3; ++n) {
        FireKeyEdits& f = ctx.fireKeyEdits[static_cast<std::size_t>(n - 1)];
        if (const auto count = EditNumber(host, Named("Edt_Repeat", n)))
            f.repeatCount = *count;
        if (const auto delay = EditNumber(host, Named("Edt_DelayTime", n)))
            f.delayMs = *delay;
        if (auto* hold = qobject_cast<SkinCheckBox*>(host.Control(Named("cb_Fire", n, "Continue"))))
            f.keepFiring = hold->isChecked();
    }
    KeyOptionBytes& m = ctx.optionBytes;
    TakeComboValue(host, "cb_MidCom", m.middle);
    TakeComboValue(host, "cb_BackCom", m.backward);
    TakeComboValue(host, "cb_ForwardCom", m.forward);
    TakeComboValue(host, "cb_CPICom", m.cpiLoop);
    TakeComboValue(host, "cb_CPIICom", m.cpiUp);
    TakeComboValue(host, "cb_CPIDCom", m.cpiDown);
    ProfileSwitchOptions& o = ctx.profileSwitch;
    // The synchronous LED type gives every profile the specified colour.
    const bool synchronous = ComboIndex(host, "cb_LEDMode") == 1;
    for (int p = 1; p <= 3; ++p) {
        const int index = ComboIndex(host, Named("cb_Profile", p, "Color").c_str());
        std::uint8_t& code = o.colourCodes[static_cast<std::size_t>(p - 1)];
        if (synchronous || index == 10)
            code = 0xF0;
        else if (index >= 0 && index <= 9)
            code = static_cast<std::uint8_t>(16 * index);
    }
    TakeFlag(host, "cb_RTZ", o.returnToZero);
    TakeFlag(host, "cb_AXY", o.adjustXY);
    TakeFlag(host, "cb_CC", o.changeColour);
    if (const auto offset = EditNumber(host, "edt_OffSet", 16))
        o.offset = *offset;
}

} // namespace trvx
