#include "device/DefaultImageSet.h"

#include "device/DefaultImages.h"

#include <cstdlib>
#include <strings.h>

namespace trvx {
namespace {

StorageKind KindOf(const char* value) {
    if (value == nullptr)
        return StorageKind::None;
    if (::strcasecmp(value, "flash") == 0)
        return StorageKind::Flash;
    if (::strcasecmp(value, "i2c") == 0)
        return StorageKind::I2C;
    return StorageKind::None;
}

} // namespace

StorageKind DefaultImageSetFromValues(const char* simulate, const char* storage) {
    if (const StorageKind kind = KindOf(simulate); kind != StorageKind::None)
        return kind;
    if (const StorageKind kind = KindOf(storage); kind != StorageKind::None)
        return kind;
    return StorageKind::I2C;
}

StorageKind DefaultImageSetFromEnvironment() {
    return DefaultImageSetFromValues(std::getenv("TRVX_SIMULATE"), std::getenv("TRVX_STORAGE"));
}

const std::array<std::string_view, 3>& DefaultImageResourcesOf(StorageKind set) {
    return set == StorageKind::Flash ? kDefaultFlashImageResources : kDefaultImageResources;
}

} // namespace trvx
