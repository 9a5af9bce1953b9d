#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/extension_tally.h"
#include "catalogue/file_catalogue.h"
#include "common/handles.h"

namespace tallyfold {

// Control identifiers, which are also the controls' window identifiers.
inline constexpr int FolderBoxId = 10;
inline constexpr int ExtensionListId = 12;
inline constexpr int FileListId = 13;
inline constexpr int VersionLabelId = 335;

struct Worker;

// Sees every message of the main window first: a result of its own ends the message's handling,
// no result lets the window's own handling go on.
using MessageHook = std::optional<LRESULT> (*)(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam);

// Something the user did to a control, raised by the window's own handling and taken by the
// event loop after the window procedure has returned.
struct Event {
  enum class Kind { ExtensionSelection, FileDoubleClick, FolderBoxClosed, Close, Other };
  Kind kind = Kind::Other;
  int control = 0;
  UINT code = 0;
  bool operator==(const Event&) const = default;
};

// Everything the program keeps for its whole run. It is made once at start-up and never
// destroyed: when the window closes the process ends at once, possibly with a worker still
// reading the catalogue or the tally, so nothing here may be torn down before that.
struct ProgramState {
  std::wstring RootFolder;
  std::wstring SelectedExtension;
  FileCatalogue Catalogue;
  ExtensionTally Tally;
  IconHandle ExtensionIcon;
  std::unique_ptr<Worker> CurrentScan;
  std::unique_ptr<Worker> CurrentListing;

  HWND MainWindow = nullptr;
  HWND VersionLabel = nullptr;
  HWND FolderBox = nullptr;
  HWND ExtensionList = nullptr;
  HWND FileList = nullptr;
  // The root of the drive the folder box shows ("E:\"), or empty.
  std::wstring FolderBoxPath;

  MessageHook Hook = nullptr;
  std::deque<Event> Events;
  // True while the main thread carries out a worker's request.
  bool ApplyingRequest = false;
  // True once a click left the extension list without a selection, until a row is selected.
  bool EmptySelectionClicked = false;
  // How a file is opened on a double-click; tests watch it instead of starting Notepad.
  std::function<void(const std::wstring& path)> OpenFile;
};

}  // namespace tallyfold
