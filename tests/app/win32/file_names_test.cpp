// Names in any language and paths past 260 characters, through the
// platform's file calls and the caption; a name Windows cannot take is an
// error, never a crash.

#include <string>
#include <vector>

#include "app/platform.h"
#include "app/win_text.h"
#include "tests/app/win32/window_fixture.h"

namespace {

using win32_testing::WindowTest;

class FileNames : public WindowTest {};

// A folder of its own under the system's temporary folder, UTF-8.
std::string TestFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  std::wstring folder = std::wstring(temp) + L"pinball-names-\u00e9";
  CreateDirectoryW(folder.c_str(), nullptr);
  return Utf8FromWide(folder.c_str());
}

TEST_F(FileNames, AnyNameAndALongPathAreWrittenAndReadBack) {
  const std::string folder = TestFolder();
  // Deep folders of Cyrillic names: 12 x 27 characters, past 260 with the file name.
  std::string deep = folder;
  for (int k = 0; k < 12; ++k) {
    deep += "\\папка-" + std::to_string(k) + "-ааааааааааааааааааа";
    CreateDirectoryW(WidePath(deep).c_str(), nullptr);
  }
  ASSERT_GT(WideFromUtf8(deep).size(), 300u);
  const std::vector<std::string> names = {
      folder + "\\таблица.pinball",          // Cyrillic
      folder + "\\πίνακας.pinball",          // Greek
      folder + "\\桌子.pinball",             // Chinese
      folder + "\\ball \U0001F3B1.pinball",  // outside the 16-bit plane: a surrogate pair
      deep + "\\таблица.pinball",            // a path of more than 300 characters
      deep + "/../таблица 2.pinball",        // the same, with the other slash and a step up
  };
  for (const std::string& path : names) {
    SCOPED_TRACE(path);
    const std::string bytes = "pinball-table 1\n" + path + "\n";
    std::string error;
    ASSERT_TRUE(PlatformWriteFile(path, bytes, error)) << error;
    std::string read;
    ASSERT_TRUE(PlatformReadFile(path, 1 << 20, read, error)) << error;
    EXPECT_EQ(read, bytes);
    // The name on the disk is the name given, not a code page's question marks.
    WIN32_FIND_DATAW found = {};
    HANDLE find = FindFirstFileW(WidePath(path).c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    const std::string leaf = path.substr(path.find_last_of("\\/") + 1);
    EXPECT_EQ(Utf8FromWide(found.cFileName), leaf);
    EXPECT_TRUE(DeleteFileW(WidePath(path).c_str()));
  }
}

TEST_F(FileNames, ANameWindowsCannotTakeIsAnErrorWithAReason) {
  const std::string folder = TestFolder();
  const std::vector<std::string> refused = {
      folder + "\\" + std::string(300, 'x') + ".pinball",  // a name past 255 characters
      folder + "\\a?b.pinball",                            // a character names cannot hold
      folder + "\\no such folder\\таблица.pinball",
  };
  for (const std::string& path : refused) {
    SCOPED_TRACE(path);
    std::string error, read;
    EXPECT_FALSE(PlatformWriteFile(path, "x", error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(PlatformReadFile(path, 1 << 20, read, error));
    EXPECT_FALSE(error.empty());
  }
}

TEST_F(FileNames, TheCaptionShowsAnyName) {
  const char caption[] = "*таблица 桌子 \U0001F3B1 - Pinball Simulation";
  PlatformSetCaption(caption);
  // The text the window keeps and its title bar shows (GetWindowTextW would
  // ask the ANSI window procedure, through the code page).
  wchar_t shown[128] = {};
  InternalGetWindowText(gWindH, shown, 128);
  EXPECT_EQ(Utf8FromWide(shown), caption);
}

}  // namespace
