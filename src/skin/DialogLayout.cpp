#include "skin/DialogLayout.h"

namespace trvx {

namespace {

constexpr std::string_view kCombinationBoxes[] = {"MK_C", "MK_S", "MK_A", "MK_W"};

// Walks a kind's keys in read order; the reader and the key list share it, so they cannot
// drift apart.
template <class Visitor> void VisitKeys(const DialogLayoutKeys& keys, Visitor&& visit) {
    visit.Int(keys.fontSize, visit.layout.fontSize);
    visit.Colour(keys.textColour, visit.layout.textColour);
    visit.Colour(keys.editColour, visit.layout.editColour);
    visit.Point(keys.title, visit.layout.title);
    visit.Point(keys.edit, visit.layout.edit);
    visit.Int(std::string(keys.edit) + "_W", visit.layout.editWidth);
    visit.layout.boxes.resize(keys.boxes.size());
    for (std::size_t i = 0; i < keys.boxes.size(); ++i)
        visit.Point(keys.boxes[i], visit.layout.boxes[i]);
    visit.Point(keys.confirm, visit.layout.confirm);
    visit.Point(keys.clear, visit.layout.clear);
    visit.Point(keys.close, visit.layout.close);
}

struct Reading {
    LayoutReader read;
    DialogLayout layout;

    void Int(std::string_view key, int& value) { value = read.Int(key); }
    void Colour(std::string_view stem, Rgb& c) {
        const std::string s(stem);
        c.R = read.Int(s + "_R");
        c.G = read.Int(s + "_G");
        c.B = read.Int(s + "_B");
    }
    void Point(std::string_view stem, DialogPoint& p) {
        const std::string s(stem);
        p.x = read.Int(s + "_X");
        p.y = read.Int(s + "_Y");
    }
};

struct Naming {
    std::vector<std::string> names;
    DialogLayout layout; // unused: the visit writes into it

    void Int(std::string_view key, int&) { names.emplace_back(key); }
    void Colour(std::string_view stem, Rgb&) {
        for (const char* c : {"_R", "_G", "_B"})
            names.push_back(std::string(stem) + c);
    }
    void Point(std::string_view stem, DialogPoint&) {
        names.push_back(std::string(stem) + "_X");
        names.push_back(std::string(stem) + "_Y");
    }
};

} // namespace

const DialogLayoutKeys kInputDialogLayoutKeys{
    "Size_L", "Color_L", "Color_L_MN", "MNT", "MNC", "MN_Cfm", "MN_Clear", "MN_Close", {},
};

const DialogLayoutKeys kCombinationDialogLayoutKeys{
    "Size_J",   "Color_K",  "Color_K_AK",      "AKT", "AKC", "AK_Cfm",
    "AK_Clear", "AK_Close", kCombinationBoxes,
};

ParseResult<DialogLayout> ReadDialogLayout(const LayoutSection& section,
                                           const DialogLayoutKeys& keys) {
    Reading reading{LayoutReader(section), {}};
    VisitKeys(keys, reading);
    if (!reading.read.ok())
        return ParseResult<DialogLayout>::Fail(reading.read.Error(), reading.read.ErrorKey());
    return ParseResult<DialogLayout>::Ok(std::move(reading.layout));
}

std::vector<std::string> DialogLayoutKeyNames(const DialogLayoutKeys& keys) {
    Naming naming;
    VisitKeys(keys, naming);
    return std::move(naming.names);
}

} // namespace trvx
