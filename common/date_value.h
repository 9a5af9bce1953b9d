#pragma once

#include <cstdint>

namespace tallyfold {

inline constexpr std::int32_t SecondsPerDay = 86'400;

// A date value that names no moment, or one outside the range below.
inline constexpr std::int32_t NoDate = -1;

// Seconds from 1970-01-01 00:00:00, without time zone; NoDate for an impossible date or one
// outside 1970-01-01 00:00:00 to 2038-01-19 03:14:07.
[[nodiscard]] std::int32_t DateValue(int year, int month, int day, int hour, int minute,
                                     int second);

struct CivilDate {
  int year = 1970;
  int month = 1;
  int day = 1;
  bool operator==(const CivilDate&) const = default;
};

// The calendar day of a date value of 0 or more: the other direction of DateValue.
[[nodiscard]] CivilDate CivilDateOf(std::int32_t dateValue);

}  // namespace tallyfold
