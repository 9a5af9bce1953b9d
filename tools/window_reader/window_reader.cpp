// Starts Tallyfold and watches its window from outside, for a machine without a screen: prints
// each title as it changes, then the result title and the first rows of the extension list, tells
// its caller through a file that the result is on screen so that a picture can be taken, and
// closes the window once the picture is there.
//
//   window_reader SIGNAL_FOLDER [ROOT_FOLDER]
//
// In SIGNAL_FOLDER it makes "shown", holding the window's place on the screen, when the result is
// there, and waits for "pictured".
// Exit code 0 when the program reached its result and ended with 0 after the close.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/handles.h"
#include "shell/program_state.h"
#include "tests/support/remote_list.h"
#include "tests/support/running_program.h"
#include "tests/support/window_text.h"

namespace tallyfold {
namespace {

using testing::RemoteList;
using testing::RunningProgram;

constexpr double ResultLimitSeconds = 600.0;
constexpr double PictureLimitSeconds = 120.0;
constexpr DWORD PollMilliseconds = 100;
constexpr int ShownRows = 20;
constexpr std::size_t ColumnGap = 2;

enum ExitCode : int { Done = 0, NoResult = 1, NotStarted = 2, NoPicture = 3, BadClose = 4 };

void PrintLine(const std::wstring& line) {
  const std::wstring ended = line + L"\n";
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, ended.data(), static_cast<int>(ended.size()),
                                          nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, ended.data(), static_cast<int>(ended.size()), utf8.data(),
                        bytes, nullptr, nullptr);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

// Prints every new title until the result title; false when the time ran out or the program
// ended first.
bool FollowTitles(const RunningProgram& program) {
  std::wstring last;
  while (testing::Seconds() - program.StartedAt() < ResultLimitSeconds && !program.HasEnded()) {
    const HWND window = program.Window();
    const std::wstring title = window ? testing::WindowText(window) : std::wstring();
    if (window && ::IsWindowVisible(window) && title != last) {
      last = title;
      if (testing::IsResultTitle(title)) {
        PrintLine(L"result: " + title);
        return true;
      }
      PrintLine(L"title:  " + title);
    }
    ::Sleep(PollMilliseconds);
  }
  return false;
}

// The captions and the first rows as a table of left-aligned columns.
void PrintTable(const RemoteList& list) {
  std::vector<std::vector<std::wstring>> rows{{}};
  for (int column = 0; column < list.ColumnCount(); ++column) {
    rows.front().push_back(list.Caption(column));
  }
  const auto cells = list.Rows(ShownRows);
  rows.insert(rows.end(), cells.begin(), cells.end());
  std::vector<std::size_t> widths(rows.front().size());
  for (const auto& row : rows) {
    for (std::size_t column = 0; column < row.size() && column < widths.size(); ++column) {
      widths[column] = std::max(widths[column], row[column].size());
    }
  }
  for (const auto& row : rows) {
    std::wstring line;
    for (std::size_t column = 0; column < row.size() && column < widths.size(); ++column) {
      line += row[column];
      line.append(widths[column] - row[column].size() + ColumnGap, L' ');
    }
    PrintLine(line.substr(0, line.find_last_not_of(L' ') + 1));
  }
  PrintLine(L"(" + std::to_wstring(cells.size()) + L" of " + std::to_wstring(list.RowCount()) +
            L" rows)");
}

bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The window's place on the screen in X's geometry form, WIDTHxHEIGHT+LEFT+TOP.
std::string Place(HWND window) {
  RECT place{};
  ::GetWindowRect(window, &place);
  return std::to_string(place.right - place.left) + "x" + std::to_string(place.bottom - place.top) +
         "+" + std::to_string(place.left) + "+" + std::to_string(place.top);
}

// Says that the result is on screen and where; the place is written in full before "shown"
// appears under its name.
bool SayShown(const std::wstring& signals, HWND window) {
  const std::wstring writing = signals + L"\\shown.part";
  FileHandle shown{::CreateFileW(writing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)};
  const std::string place = Place(window);
  DWORD written = 0;
  if (!shown || !::WriteFile(shown.get(), place.data(), static_cast<DWORD>(place.size()), &written,
                             nullptr)) {
    return false;
  }
  shown.reset();
  return ::MoveFileExW(writing.c_str(), (signals + L"\\shown").c_str(),
                       MOVEFILE_REPLACE_EXISTING) != FALSE;
}

// Waits for the caller's picture of the window.
bool AwaitPicture(const std::wstring& signals, HWND window) {
  if (!SayShown(signals, window)) {
    return false;
  }
  const double start = testing::Seconds();
  while (testing::Seconds() - start < PictureLimitSeconds) {
    if (Exists(signals + L"\\pictured")) {
      return true;
    }
    ::Sleep(PollMilliseconds);
  }
  return false;
}

int Watch(const std::wstring& signals, const std::wstring& root) {
  RunningProgram program(testing::BuiltProgram(L"tallyfold.exe"), testing::ProgramWindowClass,
                         root);
  if (!program.Started()) {
    PrintLine(L"window_reader: tallyfold.exe could not be started");
    return NotStarted;
  }
  if (!FollowTitles(program)) {
    PrintLine(program.HasEnded()
                  ? L"window_reader: Tallyfold ended before it showed its result"
                  : L"window_reader: no result title within " +
                        std::to_wstring(static_cast<int>(ResultLimitSeconds / 60)) + L" minutes");
    return NoResult;
  }
  PrintTable(RemoteList(::GetDlgItem(program.Window(), ExtensionListId)));
  if (!AwaitPicture(signals, program.Window())) {
    PrintLine(L"window_reader: no picture was taken");
    return NoPicture;
  }
  const long code = program.Close();
  PrintLine(L"closed: exit code " + std::to_wstring(code));
  return code == 0 ? Done : BadClose;
}

}  // namespace
}  // namespace tallyfold

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: window_reader SIGNAL_FOLDER [ROOT_FOLDER]\n", stderr);
    return tallyfold::NotStarted;
  }
  return tallyfold::Watch(argv[1], argc > 2 ? argv[2] : L"");
}
