#include "common/upper_extension.h"

#include <gtest/gtest.h>

namespace tallyfold {
namespace {

struct ExtensionCase {
  const wchar_t* path;
  const wchar_t* extension;
};

TEST(UpperExtension, FollowsTheExtensionRule) {
  const ExtensionCase cases[] = {
      {L"C:\\x\\notes.txt", L"TXT"},
      {L"C:\\x\\archive.tar.gz", L"GZ"},
      {L"C:\\x\\photo.Jpeg", L"JPEG"},
      {L"C:\\x\\data.manifest", L"MANIFEST"},
      {L"C:\\x\\.profile", L""},
      {L"C:\\x.d\\README", L""},
      {L"C:\\x\\file.", L""},
      {L"C:\\x\\report.final version", L""},
      {L"C:/x/notes.md", L"MD"},
      {L"C:/x/.hidden", L""},
      {L"C:\\x\\say.\"quoted\"", L""},
      {L"C:\\x\\say.tx\"t", L"TX"},
      {L".txt", L""},
      {L"a.b", L"B"},
      {L"", L""},
      {L"C:\\x\\caf\u00e9.\u00e9t\u00e9", L"\u00c9T\u00c9"},
  };
  for (const ExtensionCase& c : cases) {
    EXPECT_EQ(UpperExtension(c.path), c.extension) << "path: " << ::testing::PrintToString(c.path);
  }
}

}  // namespace
}  // namespace tallyfold
