#pragma once
// Rules of the input dialog that need no window: where its two buttons go and the colour of its
// title font.

#include "controls/skinned/StyleTable.h"

namespace trvx {

struct InputButtonLefts {
    int ok = 0;
    int cancel = 0;
};

// The two buttons centred as a pair on the form's outer width, 16 pixels apart.
inline InputButtonLefts inputDialogButtonLefts(int formWidth, int okWidth) {
    return {formWidth / 2 - okWidth - 8, formWidth / 2 + 8};
}

// Title font colour that a look gives the dialog. With a usable skin file: its title font
// colour, or when that is -1, black for the dark-text control font colours 0x10000, 0x30000,
// 0x40000 and 0x50000 and white otherwise. Without one: black for MacOS, white for the rest.
SkinColor inputCaptionFontColor(SkinUIStyle look, bool usingFileTheme = false,
                                std::int32_t fileTitleFontColor = -1,
                                std::int32_t fileControlFontColor = 0);

} // namespace trvx
