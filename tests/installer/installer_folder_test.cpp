// The installer's folder from its path, and the library path joined to it.
#include <gtest/gtest.h>

#include <string>

#include "conduit_registration.h"
#include "installer_folder.h"

namespace {

struct FolderCase {
  const char* guards;
  const char* path;
  const char* folder;
};

const FolderCase kFolderCases[] = {
    {"a program in a folder", "C:\\Shogi\\Installer.exe", "C:\\Shogi"},
    {"a program at the root of a drive", "C:\\Installer.exe", "C:"},
    {"a network share", "\\\\pc\\share\\Installer.exe", "\\\\pc\\share"},
    {"no backslash: the path stays whole", "Installer.exe", "Installer.exe"},
    {"a backslash in the first byte only: whole", "\\Installer.exe", "\\Installer.exe"},
    {"a double-byte folder name with a 5C second byte", "C:\\\x8d\x5c\\Installer.exe", "C:\\\x8d\x5c"},
    {"a program name whose last byte is a 5C second byte", "C:\\Shogi\\\x8d\x5c", "C:\\Shogi"},
    {"a lone lead byte at the end", "C:\\Shogi\\a\x81", "C:\\Shogi"},
};

TEST(InstallerFolder, EndsAtTheLastRealBackslash) {
  for (const FolderCase& c : kFolderCases) {
    SCOPED_TRACE(c.guards);
    std::string path = c.path;
    CutToFolder(&path[0]);
    EXPECT_STREQ(path.c_str(), c.folder);
  }
}

TEST(LibraryPath, IsTheFolderAndTheNameOrNothing) {
  char path[kPathBytes];
  ASSERT_TRUE(BuildLibraryPath("C:\\Shogi", "\\Dalvex.dll", path));
  EXPECT_STREQ(path, "C:\\Shogi\\Dalvex.dll");

  std::string fits(259 - 11, 'f');
  ASSERT_TRUE(BuildLibraryPath(fits.c_str(), "\\Dalvex.dll", path));
  EXPECT_EQ(std::string(path), fits + "\\Dalvex.dll");

  std::string tooLong(260 - 11, 'f');
  EXPECT_FALSE(BuildLibraryPath(tooLong.c_str(), "\\Dalvex.dll", path));
  EXPECT_STREQ(path, "") << "never a cut path";
}

}  // namespace
