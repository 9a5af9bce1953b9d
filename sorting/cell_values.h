#pragma once

#include <cstdint>
#include <string_view>

#include "common/date_value.h"

namespace tallyfold {

// "+Infinity", "-Infinity" and "NaN" in any case, else the C runtime's "%f" reading with "." as
// the decimal point; 0 when nothing can be read.
[[nodiscard]] float ParseDecimal(std::wstring_view text);

// Reads a date text with a mask of %yyyy %yy %mm %dd %hh %ii %ss tokens; NoDate when the text
// does not fit the mask or names no valid moment.
[[nodiscard]] std::int32_t ParseDateWithMask(std::wstring_view mask, std::wstring_view text);

}  // namespace tallyfold
