// The extension structs of the public interface (ZephlinHostServices,
// ZephlinSimulatorOptions, ZephlinPartDetails) begin with structSize, the
// size of the struct as the caller was built. A struct grows only at its end,
// so a caller built against an older, smaller struct keeps working: the
// library reads and writes only the bytes that structSize covers and takes
// the members beyond them as zero. A structSize below the end of the
// struct's first release is refused.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <type_traits>

// Where a member ends: the smallest structSize that covers it.
#define ZEPHLIN_MEMBER_END(Struct, member) (offsetof(Struct, member) + sizeof(Struct::member))

namespace zephlin {

// A copy of the caller's struct: the bytes its structSize covers, the rest
// zero, and structSize the library's own size. Nothing for a null struct or
// a structSize below firstReleaseSize.
template <class Struct>
std::optional<Struct> readExtension(const Struct* given, std::size_t firstReleaseSize) {
    static_assert(std::is_trivially_copyable_v<Struct>);
    if (given == nullptr || given->structSize < firstReleaseSize) {
        return std::nullopt;
    }
    Struct copy{};
    std::memcpy(&copy, given, std::min(given->structSize, sizeof(Struct)));
    copy.structSize = sizeof(Struct);
    return copy;
}

// Writes a filled struct into the caller's as far as its structSize covers,
// keeping that structSize. False, with nothing written, for a null struct or
// a structSize below firstReleaseSize.
template <class Struct>
bool writeExtension(Struct* destination, const Struct& filled, std::size_t firstReleaseSize) {
    static_assert(std::is_trivially_copyable_v<Struct>);
    if (destination == nullptr || destination->structSize < firstReleaseSize) {
        return false;
    }
    const std::size_t callerSize = destination->structSize;
    std::memcpy(destination, &filled, std::min(callerSize, sizeof(Struct)));
    destination->structSize = callerSize;
    return true;
}

} // namespace zephlin
