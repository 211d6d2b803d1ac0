#pragma once
// The skin images, decoded from the embedded PNG files once each and shared by every control
// that shows them.

#include <QImage>
#include <QRegion>
#include <QSize>

#include <string_view>

namespace trvx {

// The decoded skin image of that name (any case); a null image when there is none or it does
// not decode. An image without transparent pixels comes as Format_RGB32, which draws fastest.
QImage SkinImage(std::string_view name);

// Starts decoding that skin image on a worker thread, so that it is ready when it is first
// shown; SkinImage then waits for it if it must. Nothing when it is decoded or under way.
void PrefetchSkinImage(std::string_view name);

// The size of that skin image from its PNG header, without decoding it; invalid when there is no
// such image or its header is not a PNG header.
QSize SkinImageSize(std::string_view name);

// The region of the pixels of that skin image which are not `key`: the outline of a window
// drawn with that see-through colour. Empty when the image is missing.
QRegion SkinShapeMask(std::string_view name, QRgb key);
// Starts working that region out on a worker thread (with the image, when it is not decoded
// yet); SkinShapeMask then waits for it if it must.
void PrefetchSkinShapeMask(std::string_view name, QRgb key);

} // namespace trvx
