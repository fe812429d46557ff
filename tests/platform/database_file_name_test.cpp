// Database names to file names: readable where they can be, never outside the folder.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "database_file_name.h"

namespace {

TEST(DatabaseFileName, KeepsPlainNamesReadableAndEscapesTheRest) {
  const struct {
    const char* name;
    const char* file;
  } cases[] = {
      {"Kifu 1", "Kifu 1.pdb"},
      {"game_01-b", "game_01-b.pdb"},
      {"Kifu 1.kif", "Kifu 1%2Ekif.pdb"},
      {"..", "%2E%2E.pdb"},
      {"..\\..\\x", "%2E%2E%5C%2E%2E%5Cx.pdb"},
      {"/etc/passwd", "%2Fetc%2Fpasswd.pdb"},
      {"C:x", "C%3Ax.pdb"},
      {"a\tb\x01", "a%09b%01.pdb"},
      {"\x8D\x5C\x93\xE0", "%8D%5C%93%E0.pdb"},
      {"100%", "100%25.pdb"},
      {"CON", "%43ON.pdb"},
      {"nul", "%6Eul.pdb"},
      {"Com1", "%43om1.pdb"},
      {"LPT9 ", "%4CPT9 .pdb"},
      {"CONSOLE", "CONSOLE.pdb"},
      {"a?b*c<d>e|f\"g", "a%3Fb%2Ac%3Cd%3Ee%7Cf%22g.pdb"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DatabaseFileName(c.name), c.file);
  }
  EXPECT_EQ(DatabaseFileName("Kifu", 2), "Kifu~2.pdb");
}

TEST(DatabaseFileName, EveryNameStaysInsideTheFolderAndNoTwoShareAFile) {
  std::set<std::string> names = {"a", "A.", "a.", "a%2E", "a%", "..", ".", "\\", "/", ":", " ", "~", "a~1"};
  for (int c = 1; c < 256; ++c) names.insert(std::string("x") + static_cast<char>(c));
  std::set<std::string> files;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    std::string file = DatabaseFileName(name);
    std::string stem = file.substr(0, file.size() - 4);
    EXPECT_EQ(file.substr(file.size() - 4), ".pdb");
    EXPECT_EQ(stem.find_first_of("./\\:~\"<>|?*"), std::string::npos);
    for (unsigned char b : file) EXPECT_TRUE(b >= 0x20 && b < 0x7F) << int(b);
    EXPECT_TRUE(files.insert(file).second) << "two names share " << file;
  }
}

}  // namespace
