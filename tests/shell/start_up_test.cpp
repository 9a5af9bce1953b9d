#include "shell/start_up.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::TempTree;

TEST(ChooseRootFolder, TakesAnExistingFolderOrDriveElseC) {
  TempTree tree;
  tree.AddFolder(L"My Data");
  tree.AddFile(L"file.txt", "x");
  const std::wstring folder = tree.Path(L"My Data");
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"tallyfold.exe", L"C:\\"},
      {L"tallyfold.exe " + tree.Root(), tree.Root()},
      {L"tallyfold.exe D:", L"D:"},
      {L"tallyfold.exe D:\\", L"D:\\"},
      {L"tallyfold.exe \"" + folder + L"\\\"", folder + L"\\"},
      {L"tallyfold.exe \"" + folder + L"\" ignored", folder},
      {L"tallyfold.exe " + tree.Path(L"file.txt"), L"C:\\"},
      {L"tallyfold.exe " + tree.Path(L"missing"), L"C:\\"},
      {L"tallyfold.exe Q:\\", L"C:\\"},
  };
  for (const auto& [line, root] : cases) {
    EXPECT_EQ(ChooseRootFolder(line), root) << ::testing::PrintToString(line);
  }
}

// A resource of the built program, or empty.
std::string ProgramResource(HMODULE program, const wchar_t* type, const wchar_t* name) {
  HRSRC found = ::FindResourceW(program, name, type);
  if (!found) {
    return {};
  }
  const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(program, found)));
  return std::string(bytes, ::SizeofResource(program, found));
}

TEST(ProgramResources, HoldTheIconManifestAndVersion) {
  const std::wstring exe = testing::BuiltProgram(L"tallyfold.exe");
  HMODULE program = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr) << ::testing::PrintToString(exe);

  const std::string group = ProgramResource(program, RT_GROUP_ICON, MAKEINTRESOURCEW(1));
  ASSERT_EQ(group.size(), 6u + 14u) << "one image in icon 1";
  EXPECT_EQ(static_cast<unsigned char>(group[6]), 32);   // width
  EXPECT_EQ(static_cast<unsigned char>(group[7]), 32);   // height
  EXPECT_EQ(static_cast<unsigned char>(group[12]), 24);  // bits per pixel

  const std::string manifest = ProgramResource(program, RT_MANIFEST, MAKEINTRESOURCEW(1));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
  ::FreeLibrary(program);

  DWORD ignored = 0;
  std::vector<char> version(::GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(
      ::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  WORD* translation = nullptr;
  ASSERT_TRUE(::VerQueryValueW(version.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation[0], 0x0000);
  EXPECT_EQ(translation[1], 0x04B0);
  for (const wchar_t* field :
       {L"CompanyName", L"ProductName", L"FileDescription", L"InternalName"}) {
    wchar_t* text = nullptr;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\000004B0\\") + field;
    ASSERT_TRUE(
        ::VerQueryValueW(version.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
        << ::testing::PrintToString(field);
    EXPECT_STREQ(text, L"Tallyfold");
  }
}

}  // namespace
}  // namespace tallyfold
