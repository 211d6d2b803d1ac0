#pragma once
// The built-in looks for widgets: the style bitmaps embedded in the program, the table values
// as Qt colours, and the look a new control starts with.

#include "controls/skinned/StyleTable.h"

#include <QColor>
#include <QImage>

#include <cstddef>
#include <string_view>

class QWidget;

namespace trvx {

// PNG bytes decoded by Qt's own PNG reader alone; a null image when they are not a PNG it
// reads. (A reader left to tell the format by itself loads every image plugin installed, and
// their libraries, to ask each of them first.)
QImage DecodePngBytes(const uchar* bytes, std::size_t size);

// A built-in style bitmap ("WINXP_BUTTON", "MACOS_COMBOBOX_BUTTON" ...) decoded from the
// program's embedded PNG; a null image when there is none of that name.
QImage StyleBitmap(std::string_view resourceName);

// The look a control draws with. No window of the program assigns a theme file, so
// FromThemeFile (and any value outside the five looks) draws as DeepBlue.
SkinUIStyle EffectiveLook(SkinUIStyle look);

// Table values of `element` for the control's look (resolved with EffectiveLook).
QImage StyleElementBitmap(SkinUIStyle look, int element);
// Frame `index` of `count` of the element's bitmap; with count 0 the whole bitmap. A null
// image when the element has no bitmap or the frame is out of range.
QImage StyleElementFrame(SkinUIStyle look, int element, int index, int count);
QColor StyleColor(SkinUIStyle look, int element);
bool StyleBool(SkinUIStyle look, int element);
int StyleInteger(SkinUIStyle look, int element);

// The form frame control stores its look in this property (an int holding a SkinUIStyle), so
// that the controls of its form can start with the same look.
inline constexpr const char* kSkinFormStyleProperty = "skinFormUIStyle";

// The look a new control of `owner` starts with: that of the first form frame among the direct
// children of owner's window, else DeepBlue.
SkinUIStyle FormUIStyle(const QWidget* owner);

// While a form is being built from its stored settings, setters that would run a handler (a
// check box's Checked) stay quiet. Marks `form` as loading for the scope's lifetime.
class FormLoadingScope {
public:
    explicit FormLoadingScope(QWidget* form);
    ~FormLoadingScope();
    FormLoadingScope(const FormLoadingScope&) = delete;
    FormLoadingScope& operator=(const FormLoadingScope&) = delete;

private:
    QWidget* form_;
    bool wasLoading_;
};

// True while `widget` or one of its ancestors is inside a FormLoadingScope.
bool IsFormLoading(const QWidget* widget);

} // namespace trvx
