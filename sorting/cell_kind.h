#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tallyfold {

// Detect is only ever a request to decide the kind from the rows; it is never a result.
enum class CellKind : std::int8_t { Text = 0, Integer = 1, Decimal = 2, Date = 3, Detect = 4 };

// Tokens %dd %mm %yyyy %hh %ii %ss with the date text's own separators between them; empty
// when the text has no date form.
using DateMask = std::wstring;

// True when the character at the 1-based position is one of "0" to "9".
[[nodiscard]] bool IsDigitAt(std::wstring_view text, int position);
[[nodiscard]] CellKind DetectCellKind(std::wstring_view text);
[[nodiscard]] DateMask DateMaskOf(std::wstring_view text);
// Blanks and tabs first, an optional sign, then decimal digits, or hexadecimal after "$" and
// binary after "%". Overflow wraps around.
[[nodiscard]] std::int64_t ParseInteger(std::wstring_view text);

}  // namespace tallyfold
