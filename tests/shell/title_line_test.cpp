#include "shell/title_line.h"

#include <gtest/gtest.h>

#include "tests/support/list_window.h"
#include "tests/support/window_text.h"

namespace tallyfold {
namespace {

TEST(TitleLine, TextsAreExact) {
  EXPECT_EQ(RefreshingTitle(), L"Tallyfold [Refreshing...]");
  EXPECT_EQ(ProgressTitle(L"DLL"), L"Tallyfold [Refreshing... DLL]");
  EXPECT_EQ(ProgressTitle(L""), L"Tallyfold [Refreshing... ]");
  EXPECT_EQ(ResultTitle(0), L"Tallyfold [0 extensions]");
  EXPECT_EQ(ResultTitle(1), L"Tallyfold [1 extensions]");
  EXPECT_EQ(ResultTitle(12345), L"Tallyfold [12345 extensions]");
}

TEST(TitleLine, ShowsOnTheWindow) {
  testing::ListWindow window;
  ShowRefreshingTitle(window.Window());
  EXPECT_EQ(testing::WindowText(window.Window()), L"Tallyfold [Refreshing...]");
  ShowProgressTitle(window.Window(), L"TXT");
  EXPECT_EQ(testing::WindowText(window.Window()), L"Tallyfold [Refreshing... TXT]");
  ShowResultTitle(window.Window(), 42);
  EXPECT_EQ(testing::WindowText(window.Window()), L"Tallyfold [42 extensions]");
}

}  // namespace
}  // namespace tallyfold
