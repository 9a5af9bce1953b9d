#include "probes/entropy_text.h"

#include <cmath>
#include <cstdint>
#include <cwchar>
#include <iterator>

namespace tallyfold {
namespace {

constexpr std::uint64_t ThousandthsPerUnit = 1000;
constexpr std::size_t FractionDigits = 3;
// Beyond this many thousandths the figure no longer fits a 64-bit integer.
constexpr double IntegerLimit = 9.0e18;

// Written from the integer number of thousandths, so the text does not depend on the C locale's
// decimal point nor on how a runtime library rounds a tie.
std::wstring ThousandthsText(std::int64_t thousandths) {
  const bool negative = thousandths < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(thousandths)
                                           : static_cast<std::uint64_t>(thousandths);
  std::wstring fraction = std::to_wstring(magnitude % ThousandthsPerUnit);
  fraction.insert(0, FractionDigits - fraction.size(), L'0');
  return (negative ? L"-" : L"") + std::to_wstring(magnitude / ThousandthsPerUnit) + L"." +
         fraction;
}

}  // namespace

std::wstring EntropyText(double entropy) {
  const float narrowed = static_cast<float>(entropy);
  // A float has 24 significant bits and 1000 needs 10, so the product is exact in a double and
  // the rounding below is the only one.
  const double scaled = static_cast<double>(narrowed) * static_cast<double>(ThousandthsPerUnit);
  if (std::isfinite(scaled) && std::fabs(scaled) < IntegerLimit) {
    return ThousandthsText(static_cast<std::int64_t>(std::round(scaled)));
  }
  wchar_t text[64];
  const int length = std::swprintf(text, std::size(text), L"%.3f", static_cast<double>(narrowed));
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace tallyfold
