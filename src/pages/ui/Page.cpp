#include "pages/ui/Page.h"

#include "controls/skinned/ui/SkinListBox.h"
#include "controls/wide/ui/UniListBox.h"

#include <QLineEdit>

namespace trvx {

Page::Page(PageHost& host, int pageNumber, QObject* parent)
    : QObject(parent), host_(host), pageNumber_(pageNumber) {}

Page::~Page() = default;

std::optional<RgbColour> Page::ChooseRgb(const RgbColour& initial) const {
    const auto chosen = host_.ChooseColor(QColor(initial.red, initial.green, initial.blue));
    if (!chosen)
        return std::nullopt;
    return RgbColour{static_cast<std::uint8_t>(chosen->red()),
                     static_cast<std::uint8_t>(chosen->green()),
                     static_cast<std::uint8_t>(chosen->blue())};
}

void Page::WireHoverButton(std::string_view name, std::string picture, std::string hover,
                           std::string normal) {
    auto* label = qobject_cast<TUniLabel*>(Control(name));
    if (label == nullptr)
        return;
    connect(label, &TUniLabel::mouseEnter, this, [this, label, picture, hover] {
        host_.SetPicture(picture, hover);
        host_.StartRunningLabel(label);
    });
    connect(label, &TUniLabel::mouseLeave, this, [this, picture, normal] {
        host_.StopRunningLabel();
        host_.SetPicture(picture, normal);
    });
}

std::string NumberedName(std::string_view stem, int n) {
    return std::string(stem) + std::to_string(n);
}

void SetListItemHeight(QWidget* list, int height) {
    if (auto* wide = qobject_cast<TUniListBox*>(list))
        wide->SetItemHeight(height);
    else if (auto* skinned = qobject_cast<SkinListBox*>(list))
        skinned->setItemHeight(height);
}

void AlignNumberEdits(const Page& page, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (auto* edit = qobject_cast<QLineEdit*>(page.Control(name)))
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace trvx
