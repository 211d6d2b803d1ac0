#include "controls/wide/LabelLayout.h"

namespace trvx {

int LabelTextOffset(TTextLayout layout, int clientHeight, int textHeight) {
    switch (layout) {
    case TTextLayout::tlTop:
        return 0;
    case TTextLayout::tlBottom:
        return clientHeight - textHeight;
    case TTextLayout::tlCenter:
        return (clientHeight - textHeight) / 2;
    }
    return 0;
}

int LabelAutoSizeLeft(TAlignment alignment, int left, int oldWidth, int newWidth) {
    if (alignment == TAlignment::taRightJustify)
        return left + oldWidth - newWidth;
    return left;
}

std::u16string LabelMeasureText(std::u16string_view caption, bool showAccelChar) {
    std::u16string text(caption);
    if (text.empty() || (showAccelChar && text == u"&"))
        text.push_back(u' ');
    return text;
}

std::optional<char16_t> LabelHotKey(std::u16string_view caption) {
    std::optional<char16_t> key;
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i; // a literal ampersand
            continue;
        }
        key = caption[i + 1];
        ++i;
    }
    return key;
}

} // namespace trvx
