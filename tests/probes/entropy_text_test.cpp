#include "probes/entropy_text.h"

#include <gtest/gtest.h>

namespace tallyfold {
namespace {

TEST(EntropyText, WritesThreeDecimalsOfTheNarrowedFigure) {
  const std::pair<double, const wchar_t*> cases[] = {
      {0.0, L"0.000"},
      {1.0, L"1.000"},
      {6.912, L"6.912"},
      {6.645, L"6.645"},
      {8.0, L"8.000"},
      {7.99951, L"8.000"},
      {1.2346, L"1.235"},
      {1.2344, L"1.234"},
      {0.0004, L"0.000"},
      {0.0006, L"0.001"},
      {12.5, L"12.500"},
      // Just below a half in double precision, but the nearest float lies above it ...
      {1.0014999999999998, L"1.002"},
      // ... and just above a half, with the nearest float below it.
      {1.0005000000000002, L"1.000"},
  };
  for (const auto& [entropy, text] : cases) {
    EXPECT_EQ(EntropyText(entropy), text) << entropy;
  }
}

}  // namespace
}  // namespace tallyfold
