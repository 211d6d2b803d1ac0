#pragma once
// Text placement of the wide label: where its text line starts, how automatic sizing moves it,
// and its accelerator.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trvx {

enum class TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// How far the text is moved down in a label of clientHeight whose text measures textHeight:
// nothing at the top, the whole difference at the bottom, half of it (toward zero) centred.
int LabelTextOffset(TTextLayout layout, int clientHeight, int textHeight);

// The left edge after automatic sizing from oldWidth to newWidth: a right-justified label keeps
// its right edge, the others their left edge.
int LabelAutoSizeLeft(TAlignment alignment, int left, int oldWidth, int newWidth);

// The text measured for automatic sizing: an empty caption, or a lone "&" while accelerators
// show, measures as one blank so that the label keeps one line of height.
std::u16string LabelMeasureText(std::u16string_view caption, bool showAccelChar);

// The hot key: the character after the last single "&" ("&&" is a literal ampersand); none
// without one.
std::optional<char16_t> LabelHotKey(std::u16string_view caption);

} // namespace trvx
