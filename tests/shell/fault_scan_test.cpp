#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/extension_table.h"
#include "catalogue/file_listing.h"
#include "catalogue/walk_folder.h"
#include "common/file_size.h"
#include "common/handles.h"
#include "common/list_view.h"
#include "common/upper_extension.h"
#include "probes/binary_test.h"
#include "probes/signature.h"
#include "shell/notepad.h"
#include "shell/start_up.h"
#include "shell/workers.h"
#include "tests/support/drive_d.h"
#include "tests/support/linux_side.h"
#include "tests/support/process.h"
#include "tests/support/program_window.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::ProgramWindow;
using testing::TempTree;
using Rows = std::vector<std::vector<std::wstring>>;

constexpr DWORD HelperReadyMs = 10'000;
constexpr std::int64_t HugeFileSize = 5'000'000'000;

// The extension list's row of an extension: its cells, or none.
std::vector<std::wstring> ExtensionRow(const ProgramState& state, std::wstring_view extension) {
  for (const auto& row : ProgramWindow::Rows(state.ExtensionList)) {
    if (row[ExtensionColumn] == extension) {
      return row;
    }
  }
  return {};
}

std::wstring ExtensionCell(const ProgramState& state, std::wstring_view extension, int column) {
  const auto row = ExtensionRow(state, extension);
  return row.empty() ? L"(no row)" : row[static_cast<std::size_t>(column)];
}

// Scans the root undisturbed and lists one extension; the file list's rows by path.
class FaultScan : public ::testing::Test {
 protected:
  void Scan(const std::wstring& root) {
    program_ = std::make_unique<ProgramWindow>(root);
    State().CurrentScan = StartScan(State());
    ASSERT_TRUE(program_->PumpUntilIdle());
  }

  std::map<std::wstring, std::vector<std::wstring>> List(std::wstring_view extension) {
    State().SelectedExtension = extension;
    State().CurrentListing = StartListing(State());
    EXPECT_TRUE(program_->PumpUntilIdle());
    std::map<std::wstring, std::vector<std::wstring>> rows;
    for (auto& row : ProgramWindow::Rows(State().FileList)) {
      rows[row[NameColumn]] = row;
    }
    return rows;
  }

  ProgramState& State() { return program_->State(); }

  TempTree tree_;
  std::unique_ptr<ProgramWindow> program_;
};

bool IsHeldElsewhere(const std::wstring& path) {
  FileHandle probe{::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)};
  return !probe && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// Another process that holds files open with no sharing for as long as this object lives.
class FileHolder {
 public:
  explicit FileHolder(const std::vector<std::wstring>& paths) {
    std::wstring commandLine = L"\"" + testing::BuiltProgram(L"hold_file.exe") + L"\"";
    for (const std::wstring& path : paths) {
      commandLine += L" \"" + path + L"\"";
    }
    process_ = testing::StartProcess(commandLine, {}, {}, CREATE_NO_WINDOW);
    const ULONGLONG end = ::GetTickCount64() + HelperReadyMs;
    while (process_ && !std::all_of(paths.begin(), paths.end(), IsHeldElsewhere) &&
           ::GetTickCount64() < end) {
      ::Sleep(10);
    }
  }
  ~FileHolder() {
    if (process_) {
      ::TerminateProcess(process_.get(), 0);
      ::WaitForSingleObject(process_.get(), HelperReadyMs);
    }
  }

 private:
  KernelHandle process_;
};

TEST_F(FaultScan, SamplesHeldByAnotherProcessReadAsUnopenedBinaries) {
  tree_.AddFile(L"held.exe", std::string_view("MZ\x90\x00\x03\x00", 6));
  tree_.AddFile(L"held.dat", std::string_view("\x01\x02\x03\x00", 4));
  tree_.AddFile(L"free.exe", std::string_view("MZ\x90\x00\x03\x00", 6));
  tree_.AddFile(L"sub\\other.exe", std::string_view("MZ\x90\x00\x03\x00", 6));
  FileHolder holder({tree_.Path(L"held.exe"), tree_.Path(L"held.dat")});
  ASSERT_TRUE(IsHeldElsewhere(tree_.Path(L"held.dat")));
  // The walk meets sub\other.exe last, so it is the EXE sample; held.exe is not sampled.
  Scan(tree_.Root());
  EXPECT_EQ(ExtensionRow(State(), L"DAT"),
            (std::vector<std::wstring>{L"DAT", L"1", L"BIN", L"0.000"}));
  EXPECT_EQ(ExtensionCell(State(), L"EXE", TypeColumn), L"PE");
  // Size and date come from the directory entry, so a held file still shows them.
  const auto rows = List(L"DAT");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.begin()->second[SizeColumn], L"4");
  EXPECT_NE(rows.begin()->second[ModifiedColumn], L"1970-01-01");
}

TEST_F(FaultScan, AHeldExecutableSampleShowsItsFixedFigureWithoutColour) {
  tree_.AddFile(L"held.exe", std::string_view("MZ\x90\x00\x03\x00", 6));
  FileHolder holder({tree_.Path(L"held.exe")});
  ASSERT_TRUE(IsHeldElsewhere(tree_.Path(L"held.exe")));
  Scan(tree_.Root());
  EXPECT_EQ(ExtensionRow(State(), L"EXE"),
            (std::vector<std::wstring>{L"EXE", L"1", L"BIN", L"6.912"}));
  EXPECT_EQ(program_->Title(), L"Tallyfold [1 extensions]");
}

TEST_F(FaultScan, FilesAndFoldersDeletedDuringTheWalkGiveAWholeResult) {
  constexpr int Folders = 30;
  constexpr int FilesPerFolder = 60;
  for (int folder = 0; folder < Folders; ++folder) {
    for (int file = 0; file < FilesPerFolder; ++file) {
      tree_.AddFile(L"d" + std::to_wstring(folder) + L"\\s\\f" + std::to_wstring(file) +
                        (file % 2 ? L".txt" : L".log"),
                    "x");
    }
  }
  program_ = std::make_unique<ProgramWindow>(tree_.Root());
  State().CurrentScan = StartScan(State());
  std::atomic<int> removed = 0;
  std::thread remover([&] {
    for (int folder = Folders - 1; folder >= 0; folder -= 2) {
      testing::RemoveTree(tree_.Path(L"d" + std::to_wstring(folder)));
      ++removed;
    }
  });
  const bool idle = program_->PumpUntilIdle();
  remover.join();
  ASSERT_TRUE(idle);
  ASSERT_EQ(RowCount(State().ExtensionList), 2);
  EXPECT_EQ(program_->Title(), L"Tallyfold [2 extensions]");
  for (const wchar_t* extension : {L"TXT", L"LOG"}) {
    const int count = std::stoi(L"0" + ExtensionCell(State(), extension, FileCountColumn));
    EXPECT_GE(count, Folders / 2 * FilesPerFolder / 2);
    EXPECT_LE(count, Folders * FilesPerFolder / 2);
    // Every catalogued file is listed: with its size while it exists, as vanished if not.
    const auto rows = List(extension);
    EXPECT_EQ(static_cast<int>(rows.size()), count);
    for (const auto& [path, row] : rows) {
      const bool exists = ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
      EXPECT_EQ(row[SizeColumn], exists ? L"1" : L"-1") << ::testing::PrintToString(path);
      if (!exists) {
        EXPECT_EQ(row[ModifiedColumn], L"1970-01-01");
      }
    }
  }
}

TEST_F(FaultScan, PathsThatChangedKindSinceTheWalkShowWhatTheirEntryNowGives) {
  tree_.AddFile(L"became a folder.txt", "text");
  tree_.AddFile(L"folder\\inside.txt", "text");
  tree_.AddFile(L"stays.txt", "12345");
  Scan(tree_.Root());
  tree_.Remove(L"became a folder.txt");
  tree_.AddFolder(L"became a folder.txt");
  tree_.Remove(L"folder");
  tree_.AddFile(L"folder", "now a file");
  const auto rows = List(L"TXT");
  ASSERT_EQ(rows.size(), 3u);
  const auto& folder = rows.at(tree_.Path(L"became a folder.txt"));
  EXPECT_EQ(folder[SizeColumn], L"-2");
  EXPECT_NE(folder[ModifiedColumn], L"1970-01-01");
  EXPECT_EQ(rows.at(tree_.Path(L"folder\\inside.txt"))[SizeColumn], L"-1");
  EXPECT_EQ(rows.at(tree_.Path(L"folder\\inside.txt"))[ModifiedColumn], L"1970-01-01");
  EXPECT_EQ(rows.at(tree_.Path(L"stays.txt"))[SizeColumn], L"5");
}

// Windows forbids double quotes in names, so no name here holds one.
TEST_F(FaultScan, NamesWithBlanksPercentSignsAndNonBmpCharactersKeepEveryCodeUnit) {
  const std::wstring clef = L"\U0001D11E";
  const std::wstring names[] = {L"two  blanks %20 %s%%.txt", L"100% sure\\x y.txt",
                                clef + L" clef.txt"};
  for (const std::wstring& name : names) {
    tree_.AddFile(name, "abc");
  }
  tree_.AddFile(L"note." + clef, "abc");
  Scan(tree_.Root());
  EXPECT_EQ(ExtensionCell(State(), L"TXT", FileCountColumn), L"3");
  EXPECT_EQ(ExtensionRow(State(), clef), (std::vector<std::wstring>{clef, L"1", L"TEXT", L""}));
  const auto rows = List(L"TXT");
  ASSERT_EQ(rows.size(), 3u);
  for (const std::wstring& name : names) {
    ASSERT_TRUE(rows.contains(tree_.Path(name))) << ::testing::PrintToString(name);
    EXPECT_EQ(rows.at(tree_.Path(name))[SizeColumn], L"3");
  }
}

constexpr std::int32_t ExecutableSignature = 23117;

// Names that the Win32 path rules would rewrite, each beside the name they would be rewritten
// to: a folder x. beside x, with a file of its own; a.txt. beside a.txt; a trailing blank on a
// folder and on a file. Made on the Linux side, as Windows itself cannot make them.
constexpr char RewrittenNames[] =
    "mkdir x x. 'y ' y\n"
    "printf plain > x/f.txt; printf text > x/s.bin\n"
    "printf 'dotted folder' > x./f.txt; printf 'MZ\\220\\0\\3' > x./s.bin\n"
    "printf log > x./only-dotted.log\n"
    "printf 12 > y/f.txt; printf 1234567 > 'y /f.txt'\n"
    "printf abc > a.txt; printf 'MZ and more' > a.txt.\n"
    "printf b > b.txt; printf 'b blank' > 'b.txt '\n";

TEST_F(FaultScan, NamesThePathRulesWouldRewriteAreWalkedListedAndProbedAsThemselves) {
  if (!testing::HasLinuxSide()) {
    GTEST_SKIP() << "needs a Linux side to make the names";
  }
  const testing::LinuxTree names(RewrittenNames);
  ASSERT_TRUE(names.Built());
  const auto path = [&names](std::wstring_view relative) { return names.Path(relative); };
  Scan(names.Root());
  const std::wstring expected[] = {L"a.txt",     L"a.txt.",    L"b.txt",
                                   L"b.txt ",    L"x\\f.txt",  L"x\\s.bin",
                                   L"x.\\f.txt", L"x.\\s.bin", L"x.\\only-dotted.log",
                                   L"y\\f.txt",  L"y \\f.txt"};
  std::multiset<std::wstring> expectedPaths;
  for (const std::wstring& relative : expected) {
    expectedPaths.insert(path(relative));
  }
  EXPECT_EQ(std::multiset<std::wstring>(State().Catalogue.begin(), State().Catalogue.end()),
            expectedPaths);
  EXPECT_EQ(ExtensionCell(State(), L"TXT", FileCountColumn), L"6");
  EXPECT_EQ(ExtensionCell(State(), L"LOG", FileCountColumn), L"1");
  // The folder x. comes after x, so its s.bin is the sample, and it is the one read.
  const TallyEntry* binary = State().Tally.Find(L"BIN");
  ASSERT_NE(binary, nullptr);
  ASSERT_EQ(binary->SamplePath, path(L"x.\\s.bin"));
  EXPECT_EQ(ExtensionCell(State(), L"BIN", TypeColumn), L"PE");

  const auto rows = List(L"TXT");
  const std::map<std::wstring, std::wstring> sizes = {{L"a.txt", L"3"},    {L"b.txt", L"1"},
                                                      {L"x\\f.txt", L"5"}, {L"x.\\f.txt", L"13"},
                                                      {L"y\\f.txt", L"2"}, {L"y \\f.txt", L"7"}};
  ASSERT_EQ(rows.size(), sizes.size());
  for (const auto& [relative, size] : sizes) {
    ASSERT_TRUE(rows.contains(path(relative))) << ::testing::PrintToString(relative);
    EXPECT_EQ(rows.at(path(relative))[SizeColumn], size) << ::testing::PrintToString(relative);
    EXPECT_NE(rows.at(path(relative))[ModifiedColumn], L"1970-01-01");
  }
  EXPECT_EQ(List(L"LOG").at(path(L"x.\\only-dotted.log"))[SizeColumn], L"3");

  // Files without an extension are neither listed nor probed by a scan; looked up and probed
  // directly they answer for themselves, not for their namesakes.
  EXPECT_EQ(QueryFileSize(path(L"a.txt.")), 11);
  EXPECT_EQ(QueryFileSize(path(L"b.txt ")), 7);
  EXPECT_EQ(QueryFileSize(path(L"x.")), SizeOfFolder);
  EXPECT_NE(QueryModifiedDate(path(L"a.txt.")), 0);
  EXPECT_EQ(ReadLeadingWord(path(L"a.txt.")), ExecutableSignature);
  EXPECT_NE(ReadLeadingWord(path(L"a.txt")), ExecutableSignature);
  EXPECT_TRUE(IsBinaryFile(path(L"x.\\s.bin")));
  EXPECT_FALSE(IsBinaryFile(path(L"x\\s.bin")));

  // What the user sees and what Notepad is given is the path as the walk built it. The file
  // list now holds the one LOG file.
  std::vector<std::wstring> opened;
  State().OpenFile = [&opened](const std::wstring& file) { opened.push_back(file); };
  const std::wstring dotted = path(L"x.\\only-dotted.log");
  ASSERT_EQ(CellText(State().FileList, 0, NameColumn), dotted);
  testing::DoubleClickRow(State().FileList, 0);
  ASSERT_TRUE(program_->PumpUntilIdle());
  EXPECT_EQ(opened, std::vector<std::wstring>{dotted});
  EXPECT_EQ(NotepadCommandLine(dotted), L"\"notepad\" " + dotted);
}

TEST_F(FaultScan, PathsBeyondTwoHundredSixtyCodeUnitsListWithSizeMinusOne) {
  std::wstring deep;
  for (wchar_t letter = L'a'; letter < L'g'; ++letter) {
    deep += std::wstring(50, letter) + L"\\";
  }
  // Made through the long-path form, which every Windows accepts.
  TempTree::WriteFile(L"\\\\?\\" + tree_.Path(deep + L"far.txt"), "abc");
  tree_.AddFile(L"near.txt", "abcd");
  ASSERT_GT(tree_.Path(deep + L"far.txt").size(), SizePathLimit);
  ASSERT_NE(::GetFileAttributesW((L"\\\\?\\" + tree_.Path(deep + L"far.txt")).c_str()),
            INVALID_FILE_ATTRIBUTES);
  Scan(tree_.Root());
  const auto rows = List(L"TXT");
  EXPECT_EQ(rows.at(tree_.Path(L"near.txt"))[SizeColumn], L"4");
  // A platform that refuses the long path leaves it out of the walk; one that lists it shows it
  // with -1, since its first 260 code units end inside a folder name and so name nothing.
  if (!rows.contains(tree_.Path(deep + L"far.txt"))) {
    GTEST_SKIP() << "the platform refused the long path, so its listed size was not seen";
  }
  EXPECT_EQ(rows.at(tree_.Path(deep + L"far.txt"))[SizeColumn], L"-1");
}

TEST_F(FaultScan, HugeSparseAndOutOfRangeDatedFilesListSoundly) {
  tree_.AddSizedFile(L"huge.big", HugeFileSize);
  tree_.AddFile(L"old.dt", "1960");
  tree_.AddFile(L"future.dt", "2040");
  tree_.SetModified(L"old.dt", SYSTEMTIME{1960, 6, 0, 15, 12, 0, 0, 0});
  tree_.SetModified(L"future.dt", SYSTEMTIME{2040, 6, 0, 15, 12, 0, 0, 0});
  Scan(tree_.Root());
  const auto big = ExtensionRow(State(), L"BIG");
  ASSERT_EQ(big.size(), 4u);
  EXPECT_EQ(big[TypeColumn], L"BIN");
  EXPECT_EQ(big[EntropyColumn], L"0.000");
  EXPECT_EQ(List(L"BIG").at(tree_.Path(L"huge.big"))[SizeColumn], L"5000000000");
  const auto dated = List(L"DT");
  EXPECT_EQ(dated.at(tree_.Path(L"old.dt"))[ModifiedColumn], L"0000-00-00");
  EXPECT_EQ(dated.at(tree_.Path(L"future.dt"))[ModifiedColumn], L"0000-00-00");
}

TEST_F(FaultScan, AnEmptyRootGivesNoRowsAndZeroExtensions) {
  Scan(tree_.Root());
  EXPECT_EQ(RowCount(State().ExtensionList), 0);
  EXPECT_EQ(program_->Title(), L"Tallyfold [0 extensions]");
}

TEST_F(FaultScan, ADriveLetterAloneWalksTheRootOfThatDrive) {
  testing::DriveDFolder folder(L"letter");
  folder.AddFile(L"f.one", "1");
  const std::wstring root = ChooseRootFolder(L"tallyfold.exe D:");
  ASSERT_EQ(root, L"D:");
  Scan(root);
  ASSERT_EQ(State().Catalogue.size(), 1u);
  EXPECT_EQ(State().Catalogue[0], L"D:\\letter\\f.one");
  EXPECT_EQ(program_->Title(), L"Tallyfold [1 extensions]");
}

// Runs one of the system's own tools in a folder. Wine starts a Unix program that
// CreateProcessW names, which is how links are made and removed there: Wine's
// CreateSymbolicLinkW reports success and makes nothing, and its RemoveDirectoryW leaves a link.
bool RunSystemTool(const std::wstring& tool, std::wstring arguments, const std::wstring& folder) {
  const KernelHandle process =
      testing::StartProcess(L"/bin/" + tool + L" " + arguments, L"Z:\\bin\\" + tool, folder);
  return process && ::WaitForSingleObject(process.get(), HelperReadyMs) == WAIT_OBJECT_0;
}

// Wine may report a Unix program ended before its work shows, so look until it does.
bool AwaitPresence(const std::wstring& path, bool present) {
  const ULONGLONG end = ::GetTickCount64() + HelperReadyMs;
  while (((::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) != present) &&
         ::GetTickCount64() < end) {
    ::Sleep(10);
  }
  return (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present;
}

// A link named `name` in `folder` to the folder itself.
bool MakeLoopLink(const std::wstring& folder, const std::wstring& name) {
  const std::wstring link = folder + L"\\" + name;
  if (!::CreateSymbolicLinkW(link.c_str(), folder.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) ||
      ::GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES) {
    RunSystemTool(L"ln", L"-s . " + name, folder);
  }
  return AwaitPresence(link, true) &&
         (::GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveLink(const std::wstring& folder, const std::wstring& name) {
  const std::wstring link = folder + L"\\" + name;
  if (!::RemoveDirectoryW(link.c_str()) &&
      ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) {
    RunSystemTool(L"rm", name, folder);
  }
  return AwaitPresence(link, false);
}

TEST_F(FaultScan, ALinkLoopIsCutOffByTheDepthRule) {
  testing::DriveDFolder folder(L"links");
  folder.AddFile(L"loop\\f.txt", "x");
  const std::wstring loop = folder.Path(L"loop");
  const std::wstring link = loop + L"\\again";
  ASSERT_TRUE(MakeLoopLink(loop, L"again"));
  Scan(L"D:\\links");
  // D:\links\loop has 2 backslashes; loop\again, loop\again\again and so on are entered while
  // they have fewer than 9: seven folders, each showing the same file.
  EXPECT_EQ(ExtensionCell(State(), L"TXT", FileCountColumn), L"7");
  EXPECT_EQ(State().Catalogue.back(),
            L"D:\\links\\loop\\again\\again\\again\\again\\again\\again\\f.txt");
  EXPECT_TRUE(RemoveLink(loop, L"again"));
}

}  // namespace
}  // namespace tallyfold
