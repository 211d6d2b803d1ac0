#include "controls/skinned/ui/StyleBitmaps.h"

#include "base/Resources.h"
#include "controls/skinned/ui/SkinPainting.h"

#include <QBuffer>
#include <QByteArray>
#include <QHash>
#include <QImageReader>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace trvx {

namespace {

constexpr const char* kLoadingProperty = "skinFormLoading";

bool IsBuiltInLook(SkinUIStyle look) {
    const auto v = static_cast<std::uint8_t>(look);
    return v >= 1 && v <= 5;
}

} // namespace

QImage DecodePngBytes(const uchar* bytes, std::size_t size) {
    QByteArray data =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage StyleBitmap(std::string_view resourceName) {
    // Controls repaint often; decode each picture once. Painting is on the UI thread only.
    static QHash<QString, QImage> cache;
    const QString key = QString::fromUtf8(resourceName.data(), qsizetype(resourceName.size()));
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QImage image;
    const auto bytes = resource(resourceName);
    if (!bytes.empty())
        image = DecodePngBytes(reinterpret_cast<const uchar*>(bytes.data()), bytes.size());
    if (!image.isNull())
        image = image.convertToFormat(QImage::Format_ARGB32);
    cache.insert(key, image);
    return image;
}

SkinUIStyle EffectiveLook(SkinUIStyle look) {
    return IsBuiltInLook(look) ? look : SkinUIStyle::DeepBlue;
}

QImage StyleElementBitmap(SkinUIStyle look, int element) {
    const std::string_view name = GetStyleBitmapName(EffectiveLook(look), element);
    return name.empty() ? QImage() : StyleBitmap(name);
}

QImage StyleElementFrame(SkinUIStyle look, int element, int index, int count) {
    const QImage whole = StyleElementBitmap(look, element);
    if (count == 0)
        return whole;
    return ExtractBitmapFrame(whole, count, index);
}

QColor StyleColor(SkinUIStyle look, int element) {
    return ToQColor(GetStyleColor(EffectiveLook(look), element));
}

bool StyleBool(SkinUIStyle look, int element) {
    return GetStyleBool(EffectiveLook(look), element);
}

int StyleInteger(SkinUIStyle look, int element) {
    return GetStyleInteger(EffectiveLook(look), element);
}

SkinUIStyle FormUIStyle(const QWidget* owner) {
    if (!owner)
        return SkinUIStyle::DeepBlue;
    const QWidget* form = owner->window();
    for (const QObject* child : form->children()) {
        if (!child->isWidgetType())
            continue;
        const QVariant style = child->property(kSkinFormStyleProperty);
        if (style.isValid())
            return static_cast<SkinUIStyle>(style.toInt());
    }
    return SkinUIStyle::DeepBlue;
}

FormLoadingScope::FormLoadingScope(QWidget* form)
    : form_(form), wasLoading_(form && form->property(kLoadingProperty).toBool()) {
    if (form_)
        form_->setProperty(kLoadingProperty, true);
}

FormLoadingScope::~FormLoadingScope() {
    if (form_)
        form_->setProperty(kLoadingProperty, wasLoading_);
}

bool IsFormLoading(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w->property(kLoadingProperty).toBool())
            return true;
    return false;
}

} // namespace trvx
