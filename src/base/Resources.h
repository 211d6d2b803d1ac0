#pragma once
// Files embedded into the program at build time (skin art, texts, default images, seeds).

#include <cstdint>
#include <span>
#include <string_view>

namespace trvx {

// The bytes of the named resource; empty when there is none of that name.
std::span<const std::uint8_t> resource(std::string_view name);
bool hasResource(std::string_view name);

} // namespace trvx
