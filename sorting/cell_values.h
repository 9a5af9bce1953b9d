#pragma once

#include <cstdint>
#include <string_view>

namespace tallyfold {

// A date value that names no moment, or one outside the range below.
inline constexpr std::int32_t NoDate = -1;

// Seconds from 1970-01-01 00:00:00, without time zone; NoDate for an impossible date or one
// outside 1970-01-01 00:00:00 to 2038-01-19 03:14:07.
[[nodiscard]] std::int32_t DateValue(int year, int month, int day, int hour, int minute,
                                     int second);

// "+Infinity", "-Infinity" and "NaN" in any case, else the C runtime's "%f" reading with "." as
// the decimal point; 0 when nothing can be read.
[[nodiscard]] float ParseDecimal(std::wstring_view text);

// Reads a date text with a mask of %yyyy %yy %mm %dd %hh %ii %ss tokens; NoDate when the text
// does not fit the mask or names no valid moment.
[[nodiscard]] std::int32_t ParseDateWithMask(std::wstring_view mask, std::wstring_view text);

}  // namespace tallyfold
