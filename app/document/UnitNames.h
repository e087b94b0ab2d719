// Names of the plan's length unit (m_unit: 0 mm, 1 cm, 2 m, 3 in, 4 ft) as shown on screen.
#pragma once

#include <cstdint>
#include <string>

// "mm", "cm", "m", "in" or "ft"; empty for a value outside 0..4.
std::string UnitName(int32_t unit);

// The unit name followed by a superscript two, UTF-8 ("mm²"); empty for a value outside 0..4.
std::string AreaUnitName(int32_t unit);
