#pragma once

#include <string>

namespace tallyfold {

// The entropy as the Entropy column shows it: narrowed to single precision, then written with
// a full stop and exactly three decimals, rounded to nearest ("6.912", "1.000", "0.000").
[[nodiscard]] std::wstring EntropyText(double entropy);

}  // namespace tallyfold
