#include "skin/ControlTable.h"

namespace trvx {

std::string Numbered(std::string_view stem, int n, std::string_view tail) {
    return std::string(stem) + std::to_string(n) + std::string(tail);
}

std::vector<std::string> NumberedSeries(std::string_view stem, int first, int last,
                                        std::string_view tail) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i)
        names.push_back(Numbered(stem, i, tail));
    return names;
}

ControlSpec& ControlTable::add(std::string name, ControlKind kind, std::string parent, int x, int y,
                               int w, int h) {
    ControlSpec s;
    s.name = std::move(name);
    s.kind = kind;
    s.parent = std::move(parent);
    s.x = x;
    s.y = y;
    s.w = w;
    s.h = h;
    specs.push_back(std::move(s));
    return specs.back();
}

ControlSpec& ControlTable::picture(std::string name, std::string parent, std::string image, int x,
                                   int y) {
    ControlSpec& s = add(std::move(name), ControlKind::Picture, std::move(parent), x, y);
    s.image = std::move(image);
    return s;
}

ControlSpec& ControlTable::label(std::string name, std::string parent, int x, int y, int w, int h,
                                 std::string text) {
    ControlSpec& s = add(std::move(name), ControlKind::Label, std::move(parent), x, y, w, h);
    s.text = std::move(text);
    return s;
}

void ControlTable::button(const std::string& stem, const std::string& parent, std::string image) {
    picture("Img_" + stem, parent, std::move(image));
    label("Btn_" + stem, parent).centred = true;
}

ControlSpec* ControlTable::find(std::string_view name) {
    for (ControlSpec& s : specs)
        if (s.name == name)
            return &s;
    return nullptr;
}

} // namespace trvx
