// The .pdb reader and writer: round trips, files from other writers, and bad input.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "palm_database.h"

namespace {

PalmDatabase SampleDatabase() {
  PalmDatabase db;
  db.name = "Kifu 1.kif";
  db.attributes = kPalmDbBackup;
  db.version = 1;
  db.creationDate = 0xB0000001;
  db.modificationDate = 0xB0000002;
  db.backupDate = 0xB0000003;
  db.modificationNumber = 7;
  db.type = 0x4B464544;     // KFED
  db.creator = 0x5A484D51;  // ZHMQ
  db.uniqueIdSeed = 0x10;
  db.records.push_back({kPalmRecordDirty | 3, 0x000001, {1, 2, 3}});
  db.records.push_back({0, 0x00ABCD, {}});
  db.records.push_back({kPalmRecordSecret, 0xFFFFFF, {9, 8, 7, 6, 5}});
  return db;
}

std::vector<uint8_t> SampleBytes() {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(SerializePalmDatabase(SampleDatabase(), &bytes), PalmDbError::kOk);
  return bytes;
}

void Put32At(std::vector<uint8_t>* bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

void ExpectSameDatabase(const PalmDatabase& a, const PalmDatabase& b) {
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.attributes, b.attributes);
  EXPECT_EQ(a.version, b.version);
  EXPECT_EQ(a.creationDate, b.creationDate);
  EXPECT_EQ(a.modificationDate, b.modificationDate);
  EXPECT_EQ(a.backupDate, b.backupDate);
  EXPECT_EQ(a.modificationNumber, b.modificationNumber);
  EXPECT_EQ(a.type, b.type);
  EXPECT_EQ(a.creator, b.creator);
  EXPECT_EQ(a.uniqueIdSeed, b.uniqueIdSeed);
  EXPECT_EQ(a.appInfo, b.appInfo);
  EXPECT_EQ(a.sortInfo, b.sortInfo);
  ASSERT_EQ(a.records.size(), b.records.size());
  for (size_t i = 0; i < a.records.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(a.records[i].attributes, b.records[i].attributes);
    EXPECT_EQ(a.records[i].uniqueId, b.records[i].uniqueId);
    EXPECT_EQ(a.records[i].data, b.records[i].data);
  }
}

TEST(PalmDatabaseFile, WritesTheBigEndianLayoutWithTheGap) {
  std::vector<uint8_t> bytes = SampleBytes();
  ASSERT_EQ(bytes.size(), 78u + 3 * 8 + 2 + 3 + 0 + 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes.data())), "Kifu 1.kif");
  EXPECT_EQ(bytes[32], 0x00);
  EXPECT_EQ(bytes[33], 0x08);
  EXPECT_EQ(std::string(bytes.begin() + 60, bytes.begin() + 68), "KFEDZHMQ");
  EXPECT_EQ(bytes[77], 3);
  // First record entry: offset 104 (after list and gap), attributes, 24-bit ID.
  const std::vector<uint8_t> entry(bytes.begin() + 78, bytes.begin() + 86);
  EXPECT_EQ(entry, (std::vector<uint8_t>{0, 0, 0, 104, 0x43, 0, 0, 1}));
  EXPECT_EQ(bytes[102], 0);
  EXPECT_EQ(bytes[103], 0);
  EXPECT_EQ(bytes[104], 1);
}

TEST(PalmDatabaseFile, ReadsBackWhatItWrote) {
  PalmDatabase db = SampleDatabase();
  db.appInfo = {0xA1, 0xA2};
  db.sortInfo = {0x51};
  std::vector<uint8_t> bytes;
  ASSERT_EQ(SerializePalmDatabase(db, &bytes), PalmDbError::kOk);
  PalmDatabase back;
  ASSERT_EQ(ParsePalmDatabase(bytes.data(), bytes.size(), &back), PalmDbError::kOk);
  ExpectSameDatabase(db, back);
}

TEST(PalmDatabaseFile, AcceptsAFileWithoutTheGap) {
  std::vector<uint8_t> bytes = SampleBytes();
  bytes.erase(bytes.begin() + 102, bytes.begin() + 104);
  for (size_t i = 0; i < 3; ++i) {
    size_t at = 78 + i * 8;
    uint32_t offset = (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
    Put32At(&bytes, at, offset - 2);
  }
  PalmDatabase back;
  ASSERT_EQ(ParsePalmDatabase(bytes.data(), bytes.size(), &back), PalmDbError::kOk);
  ExpectSameDatabase(SampleDatabase(), back);
}

TEST(PalmDatabaseFile, AnEmptyDatabaseHasOnlyHeaderAndGap) {
  PalmDatabase db = SampleDatabase();
  db.records.clear();
  std::vector<uint8_t> bytes;
  ASSERT_EQ(SerializePalmDatabase(db, &bytes), PalmDbError::kOk);
  EXPECT_EQ(bytes.size(), 80u);
  PalmDatabase back;
  ASSERT_EQ(ParsePalmDatabase(bytes.data(), bytes.size(), &back), PalmDbError::kOk);
  EXPECT_TRUE(back.records.empty());
}

struct BadFile {
  const char* guards;
  std::function<void(std::vector<uint8_t>*)> spoil;
  PalmDbError expected;
};

TEST(PalmDatabaseFile, BadInputGivesAClearError) {
  const BadFile cases[] = {
      {"a file shorter than the header", [](auto* b) { b->resize(77); }, PalmDbError::kTruncated},
      {"an empty file", [](auto* b) { b->clear(); }, PalmDbError::kTruncated},
      {"a record list longer than the file", [](auto* b) { (*b)[76] = 0x10; }, PalmDbError::kTruncated},
      {"a record offset past the end", [](auto* b) { Put32At(b, 94, 0x10000); }, PalmDbError::kTruncated},
      {"an appInfo offset past the end", [](auto* b) { Put32At(b, 52, 0x7FFFFFF0); }, PalmDbError::kTruncated},
      {"record offsets going backwards", [](auto* b) { Put32At(b, 86, 110); }, PalmDbError::kGarbled},
      {"a record offset into the record list", [](auto* b) { Put32At(b, 78, 90); }, PalmDbError::kGarbled},
      {"a record offset into the header", [](auto* b) { Put32At(b, 78, 4); }, PalmDbError::kGarbled},
      {"a name without its terminator", [](auto* b) { std::memset(b->data(), 'A', 32); }, PalmDbError::kGarbled},
      {"an empty name", [](auto* b) { (*b)[0] = 0; }, PalmDbError::kGarbled},
      {"a resource database", [](auto* b) { (*b)[33] |= 0x01; }, PalmDbError::kUnsupported},
      {"a chained record list", [](auto* b) { Put32At(b, 72, 200); }, PalmDbError::kUnsupported},
      {"a file beyond the size limit", [](auto* b) { b->resize(kPalmMaxFileSize + 1); }, PalmDbError::kTooLarge},
  };
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.guards);
    std::vector<uint8_t> bytes = SampleBytes();
    c.spoil(&bytes);
    PalmDatabase db = SampleDatabase();
    db.name = "untouched";
    EXPECT_EQ(ParsePalmDatabase(bytes.data(), bytes.size(), &db), c.expected);
    EXPECT_EQ(db.name, "untouched") << "a failed read leaves the database as it was";
  }
}

TEST(PalmDatabaseFile, EveryCutOfAFileStaysInsideTheBytesLeft) {
  const std::vector<uint8_t> whole = SampleBytes();
  for (size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE("cut to " + std::to_string(size));
    // A copy of exactly that length, so a read past it is caught by AddressSanitizer.
    std::vector<uint8_t> cut(whole.begin(), whole.begin() + size);
    PalmDatabase db;
    PalmDbError error = ParsePalmDatabase(cut.data(), cut.size(), &db);
    if (size < 104) {
      EXPECT_EQ(error, PalmDbError::kTruncated);
    } else if (error == PalmDbError::kOk) {
      size_t data = 0;
      for (const PalmRecord& r : db.records) data += r.data.size();
      EXPECT_LE(data, size - 104);
    }
  }
}

TEST(PalmDatabaseFile, RefusesToWriteWhatTheFormatCannotHold) {
  struct Case {
    const char* guards;
    std::function<void(PalmDatabase*)> change;
    PalmDbError expected;
  };
  const Case cases[] = {
      {"an empty name", [](auto* db) { db->name.clear(); }, PalmDbError::kGarbled},
      {"a name of 32 bytes", [](auto* db) { db->name.assign(32, 'n'); }, PalmDbError::kGarbled},
      {"a name with a zero byte", [](auto* db) { db->name = std::string("a\0b", 3); }, PalmDbError::kGarbled},
      {"a unique ID beyond 24 bits", [](auto* db) { db->records[0].uniqueId = 0x1000000; }, PalmDbError::kGarbled},
      {"more records than the count can say", [](auto* db) { db->records.resize(65536); }, PalmDbError::kTooLarge},
      {"more bytes than the size limit", [](auto* db) { db->records[0].data.resize(kPalmMaxFileSize); }, PalmDbError::kTooLarge},
      {"a resource database", [](auto* db) { db->attributes |= kPalmDbResource; }, PalmDbError::kUnsupported},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.guards);
    PalmDatabase db = SampleDatabase();
    c.change(&db);
    std::vector<uint8_t> bytes = {42};
    EXPECT_EQ(SerializePalmDatabase(db, &bytes), c.expected);
    EXPECT_EQ(bytes, std::vector<uint8_t>{42});
  }
  PalmDatabase longest = SampleDatabase();
  longest.name.assign(31, 'n');
  std::vector<uint8_t> bytes;
  EXPECT_EQ(SerializePalmDatabase(longest, &bytes), PalmDbError::kOk);
}

TEST(PalmDatabaseFile, FourCharacterCodesAsText) {
  EXPECT_EQ(FourCharText(0x5A484D51), "ZHMQ");
  EXPECT_EQ(FourCharText(0x00414243), "?ABC");
}

}  // namespace
