#include "document/UnitNames.h"

#include <array>

namespace {
constexpr std::array<const char*, 5> kUnitNames = {"mm", "cm", "m", "in", "ft"};
constexpr const char* kSuperscriptTwo = "\xC2\xB2";
}  // namespace

std::string UnitName(int32_t unit) {
    if (unit < 0 || unit >= static_cast<int32_t>(kUnitNames.size())) {
        return {};
    }
    return kUnitNames[static_cast<std::size_t>(unit)];
}

std::string AreaUnitName(int32_t unit) {
    const std::string name = UnitName(unit);
    return name.empty() ? name : name + kSuperscriptTwo;
}
