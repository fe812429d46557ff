// The host's portable parts: which databases the session lists, in what order, and the
// options of its commands.
#include <gtest/gtest.h>

#include <string>

#include "command_options.h"
#include "session_databases.h"

namespace {

ListedDatabase Listed(const char* name, uint32_t creator, PalmDbError error = PalmDbError::kOk) {
  ListedDatabase listed;
  listed.fileName = std::string(name) + ".pdb";
  listed.error = error;
  listed.database.name = name;
  listed.database.creator = creator;
  listed.database.type = 0x4B464544;
  listed.database.attributes = 8;
  listed.database.records.resize(3);
  return listed;
}

TEST(SessionDatabases, TheConduitsValidDatabasesOrderedByNameBytes) {
  const std::vector<ListedDatabase> listed = {
      Listed("b game", kConduitCreator),          Listed("Memo", 0x6D656D6F),
      Listed("\x8D\x5C", kConduitCreator),        Listed("A game", kConduitCreator),
      Listed("broken", kConduitCreator, PalmDbError::kTruncated), Listed("a game", kConduitCreator),
  };
  std::vector<HandheldDatabaseEntry> entries = SessionDatabases(listed);
  std::vector<std::string> names;
  for (const HandheldDatabaseEntry& entry : entries) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"A game", "a game", "b game", "\x8D\x5C"}));
  EXPECT_EQ(entries[0].creator, kConduitCreator);
  EXPECT_EQ(entries[0].type, 0x4B464544u);
  EXPECT_EQ(entries[0].attributes, 8);
  EXPECT_EQ(entries[0].recordCount, 3);
}

TEST(CommandOptions, ValuesByNameAndWhatIsRefused) {
  const std::vector<OptionRule> rules = {{"--handheld", false}, {"--fault", true}};
  std::map<std::string, std::vector<std::string>> values;
  std::string error;
  ASSERT_TRUE(ParseCommandOptions({"--fault", "a:1:2", "--handheld", "h", "--fault", "b:2+:3"}, rules, &values, &error));
  EXPECT_EQ(values["--handheld"], std::vector<std::string>{"h"});
  EXPECT_EQ(values["--fault"], (std::vector<std::string>{"a:1:2", "b:2+:3"}));
  const struct {
    std::vector<std::string> arguments;
    const char* error;
  } refused[] = {
      {{"--handheld"}, "--handheld needs a value"},
      {{"--handheld", "a", "--handheld", "b"}, "--handheld given twice"},
      {{"--conduit", "x"}, "unknown option \"--conduit\""},
      {{"handheld"}, "unknown option \"handheld\""},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.error);
    EXPECT_FALSE(ParseCommandOptions(c.arguments, rules, &values, &error));
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
