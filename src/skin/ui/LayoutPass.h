#pragma once
// The skin loaders and the layout and caption pass of the main window.
//
// Each function returns an error text for the window to show, empty when it did its work. The
// pass reads and checks the whole language set before it touches a control: on an error the
// window keeps everything it showed.

#include "skin/LayoutPlan.h"
#include "skin/WindowTables.h"
#include "skin/ui/SkinImages.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace trvx {

// What the window keeps of the skin and of the last pass. The window sets GDEnable and NumOrder
// from its general settings before the first pass; the rest is written by the loaders.
struct LayoutState : LayoutValues {
    // Inputs.
    bool GDEnable = false; // general setting "GD_Enable"
    int NumOrder = 1;      // general setting "Num_Order"
    // The skin size, from the background picture (LoadSkinBackground).
    int SkinWidth = 0;
    int SkinHeight = 0;
    // The set the last successful pass applied, 0 before the first.
    int LangIndex = 0;
    // When set, the pass calls it instead of carrying the key labels' captions over by their
    // text: the key pages rebuild Key1 .. Key12 from their key entries in the new set.
    std::function<void(QWidget& form)> RebuildKeyCaptions;
};

// The skin image the window's size and outline come from.
inline constexpr char kSkinBackground[] = "L1_BackGround";

// Shows the skin image in the picture control of that name. False when either is missing.
bool LoadPicture(QWidget& form, std::string_view control, std::string_view image);

// "L1_BackGround" into Img_Base_1; its size becomes state.SkinWidth/SkinHeight and the size of
// the cover labels Disable_All_1 .. Disable_All_5.
QString LoadSkinBackground(QWidget& form, LayoutState& state);

// The start-up pictures of every page and button, as the window's tables list them for the
// checked page radio.
QString LoadSkinImages(QWidget& form, const WindowTables& window);

// The layout and caption pass of language set langIndex (1 .. 3) by the window's rules: the
// set's backgrounds, every layout family and every caption. On success state holds the set's values
// and "" is returned; on an error nothing changes and the error text ("'' is not a valid integer
// value.") is returned.
QString ApplyLayout(QWidget& form, LayoutState& state, int langIndex, const WindowTables& window);

// The same pass as steps, for a window that runs a few of them at a time between its events.
// The first step reads and checks the set: on an error it puts the text into `error` and
// nothing changes (the other steps then do nothing); each further step applies up to
// `opsPerStep` of the set's changes (all of them when 0); the last takes the set's values and
// rebuilds the key captions. Empty, with the error set, when the set cannot be read at all.
std::vector<std::function<void()>> LayoutPassSteps(QWidget& form, LayoutState& state, int langIndex,
                                                   const WindowTables& window,
                                                   std::shared_ptr<QString> error,
                                                   std::size_t opsPerStep);

// The embedded sets, once read and planned, are kept for the next pass of the same set (the
// window's start-up passes its set more than once). This lets them go once no more passes are
// near (a pass under way keeps its own): the next pass reads its set again.
void ForgetLayoutSets();

// The same pass from given sections instead of the embedded ones (tests, tools).
QString ApplyLayout(QWidget& form, LayoutState& state, int langIndex, const LayoutSection& layout,
                    const CaptionSection& captions, const WindowTables& window);

} // namespace trvx
