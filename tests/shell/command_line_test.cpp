#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace tallyfold {
namespace {

struct CommandLineCase {
  const wchar_t* line;
  const wchar_t* first;
};

TEST(FirstParameter, SplitsAtBlanksAndKeepsQuotedStretchesWhole) {
  const CommandLineCase cases[] = {
      {L"tallyfold.exe", L""},
      {L"tallyfold.exe   ", L""},
      {L"", L""},
      {L"tallyfold.exe D:\\Data", L"D:\\Data"},
      {L"tallyfold.exe    D:   E:", L"D:"},
      {L"\"C:\\Program Files\\tallyfold.exe\" D:", L"D:"},
      {L"tallyfold.exe \"D:\\My Data\\\"", L"D:\\My Data\\"},
      {L"tallyfold.exe D:\\My\" \"Data x", L"D:\\My Data"},
      {L"tallyfold.exe \"\"", L""},
      {L"tallyfold.exe \"unclosed quote", L"unclosed quote"},
      {L"tallyfold.exe\tD:", L""},
  };
  for (const CommandLineCase& c : cases) {
    EXPECT_EQ(FirstParameter(c.line), c.first) << ::testing::PrintToString(c.line);
  }
}

}  // namespace
}  // namespace tallyfold
