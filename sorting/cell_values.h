#pragma once

#include <cstdint>
#include <string_view>

#include "common/date_value.h"

namespace tallyfold {

// Gives the C runtime the numeric locale ParseDecimal reads with, whose decimal point is a full
// stop whatever the user's settings. The locale is the whole process's: start-up sets it once,
// before any other thread runs, and nothing changes it afterwards.
void UseFullStopDecimalPoint();

// "+Infinity", "-Infinity" and "NaN" in any case, else the C runtime's "%f" reading with "." as
// the decimal point (see UseFullStopDecimalPoint); 0 when nothing can be read.
[[nodiscard]] float ParseDecimal(std::wstring_view text);

// Reads a date text with a mask of %yyyy %yy %mm %dd %hh %ii %ss tokens; NoDate when the text
// does not fit the mask or names no valid moment.
[[nodiscard]] std::int32_t ParseDateWithMask(std::wstring_view mask, std::wstring_view text);

}  // namespace tallyfold
