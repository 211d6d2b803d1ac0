#include "controls/skinned/InputDialogLayout.h"

namespace trvx {

SkinColor inputCaptionFontColor(SkinUIStyle look, bool usingFileTheme,
                                std::int32_t fileTitleFontColor,
                                std::int32_t fileControlFontColor) {
    if (usingFileTheme && look == SkinUIStyle::FromThemeFile) {
        if (fileTitleFontColor != -1) {
            return static_cast<SkinColor>(fileTitleFontColor);
        }
        switch (fileControlFontColor) {
        case 0x10000:
        case 0x30000:
        case 0x40000:
        case 0x50000:
            return 0x000000;
        default:
            return 0xFFFFFF;
        }
    }
    return look == SkinUIStyle::MacOS ? 0x000000 : 0xFFFFFF;
}

} // namespace trvx
