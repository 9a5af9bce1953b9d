// Header-click sorts of a full file listing beside their floor: reading each cell of the
// column once plus moving the rows into an order already known.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/list_view.h"
#include "sorting/cell_values.h"
#include "sorting/header_sort.h"
#include "sorting/row_order.h"

namespace {

using namespace tallyfold;

constexpr int RowTotal = 98'305;
constexpr int ColumnTotal = 3;
constexpr int Width = 900;
constexpr int Height = 600;
constexpr const wchar_t* Folders[] = {L"C:\\Windows\\System32\\",
                                      L"C:\\Windows\\WinSxS\\amd64_microsoft-windows-shell\\",
                                      L"C:\\Program Files\\Common Files\\Tallyfold Data\\",
                                      L"C:\\Users\\Public\\Documents\\Projects\\2018\\"};
constexpr const wchar_t* Extensions[] = {L".dll", L".exe", L".txt", L".mui", L".png"};

double Seconds() {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void FillListing(HWND list) {
  std::mt19937 random(RowTotal);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int row = 0; row < RowTotal; ++row) {
    const std::uint64_t size = random() % 50'000'000;
    wchar_t date[16]{};
    swprintf(date, 16, L"%04u-%02u-%02u", 1995 + random() % 30, 1 + random() % 12,
             1 + random() % 28);
    const std::wstring path = std::wstring(Folders[random() % 4]) + L"file" +
                              std::to_wstring(random() % 1'000'000) + Extensions[random() % 5];
    AppendRow(list, path + L"\n" + std::to_wstring(size) + L"\n" + date, nullptr);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

using RankOfRow = std::unordered_map<RowId, int>;

int CALLBACK CompareKnownRanks(LPARAM id1, LPARAM id2, LPARAM ranks) {
  const auto& rankOf = *reinterpret_cast<const RankOfRow*>(ranks);
  const int first = rankOf.at(id1);
  const int second = rankOf.at(id2);
  return first < second ? -1 : (first > second ? 1 : 0);
}

// Reading the column once, then a reorder into the reverse of the present order.
double Floor(HWND list, int column) {
  RankOfRow rankOf;
  const int rows = RowCount(list);
  for (int row = 0; row < rows; ++row) {
    rankOf[RowIdOf(list, row)] = rows - 1 - row;
  }
  const double start = Seconds();
  const std::vector<std::wstring> texts = ReadColumn(SortRequest{list, column, {}, {}, {}});
  const double read = Seconds() - start;
  SendMessageW(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&rankOf),
               reinterpret_cast<LPARAM>(CompareKnownRanks));
  const double spent = Seconds() - start;
  std::printf("  floor of column %d: reading %.2f s, reorder %.2f s\n", column, read, spent - read);
  if (static_cast<int>(texts.size()) != rows) {
    std::printf("floor read %zu of %d rows\n", texts.size(), rows);
  }
  return spent;
}

double HeaderClick(HWND list, int column) {
  const double start = Seconds();
  SortByHeaderClick(list, column, CellKind::Detect);
  return Seconds() - start;
}

}  // namespace

int wmain() {
  UseFullStopDecimalPoint();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND window = CreateWindowExW(0, WC_STATICW, L"sort bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, Width, Height, nullptr, nullptr, nullptr, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, Width,
                              Height, window, nullptr, nullptr, nullptr);
  PrepareList(list);
  AddColumn(list, 0, L"Path", 500);
  AddColumn(list, 1, L"Size", 150);
  AddColumn(list, 2, L"Modified", 150);
  const double fillStart = Seconds();
  FillListing(list);
  std::printf("filled %d rows in %.2f s\n", RowCount(list), Seconds() - fillStart);
  double slowest = 0.0;
  double slowestFloor = 1.0;
  for (int column = 0; column < ColumnTotal; ++column) {
    const double floor = Floor(list, column);
    const double ascending = HeaderClick(list, column);
    const double descending = HeaderClick(list, column);
    const double ours = std::max(ascending, descending);
    std::printf("column %d: ascending %.2f s, descending %.2f s, floor %.2f s\n", column, ascending,
                descending, floor);
    if (ours > slowest) {
      slowest = ours;
      slowestFloor = floor;
    }
  }
  std::printf("sort: %.2f s vs %.2f s, ratio %.2f\n", slowest, slowestFloor,
              slowest / slowestFloor);
  DestroyWindow(window);
  return 0;
}
