// The retrieval step inside a test program: real record files in a real exchange folder, the
// Sync Manager and the HotSync log in memory.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "exchange_folder.h"
#include "in_memory_handheld.h"
#include "retrieve.h"
#include "transfer_buffer_allocation.h"

namespace {

const char kDatabase[] = "KifuDB";

std::string Filled(size_t size, int seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + seed) & 0xFF);
  return bytes;
}

class RetrieveStep : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHandheld();
    FailTransferBufferAllocation(false);
  }
  void TearDown() override { FailTransferBufferAllocation(false); }

  // A handheld database with records of these contents.
  void MakeDatabase(const std::vector<std::string>& records) {
    HandheldDatabase& database = TheHandheld().databases[kDatabase];
    database.records.clear();
    for (const std::string& bytes : records) database.records.push_back(HandheldRecord{{bytes.begin(), bytes.end()}});
  }

  std::vector<std::string> RecordFiles() const {
    std::vector<std::string> names;
    for (const std::string& name : folder.Names()) {
      if (name.rfind("PMData.", 0) == 0) names.push_back(name);
    }
    return names;
  }

  // The record file's header must be the block as the n-th read left it, its data the record.
  void ExpectRecordFile(const std::string& name, size_t read, const std::string& data) const {
    SCOPED_TRACE(name);
    std::string bytes;
    ASSERT_TRUE(folder.Read(name, &bytes));
    ASSERT_EQ(sizeof(RecordTransfer) + data.size(), bytes.size());
    ASSERT_LT(read, TheHandheld().reads.size());
    const RecordTransfer& block = TheHandheld().reads[read].block;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&block), sizeof block), bytes.substr(0, sizeof block));
    EXPECT_EQ(data, bytes.substr(sizeof block));
  }

  bool MarkerMade() const { return folder.Exists("HH2PC.dat"); }

  ExchangeFolder folder;
};

TEST_F(RetrieveStep, RecordsWithDataBecomeDenselyNumberedFiles) {
  MakeDatabase({Filled(10, 1), "", Filled(7, 2)});
  EXPECT_EQ(0, RetrieveRecords(kDatabase));

  const std::vector<std::string> expectedCalls = {"open-database KifuDB 0xD0", "get-record-count",
                                                  "read-record-by-index", "read-record-by-index",
                                                  "read-record-by-index", "close-database"};
  EXPECT_EQ(expectedCalls, TheHandheld().calls);
  EXPECT_TRUE(TheHandheld().log.empty());
  EXPECT_EQ(0, TheHandheld().openDatabases);

  const std::vector<std::string> files = {"PMData.000", "PMData.001"};
  EXPECT_EQ(files, RecordFiles());
  ExpectRecordFile("PMData.000", 0, Filled(10, 1));
  ExpectRecordFile("PMData.001", 2, Filled(7, 2));

  std::string first, second;
  ASSERT_TRUE(folder.Read("PMData.000", &first));
  ASSERT_TRUE(folder.Read("PMData.001", &second));
  EXPECT_EQ(38u, first.size());
  EXPECT_EQ(35u, second.size());
  RecordTransfer header;
  std::memcpy(&header, second.data(), sizeof header);
  EXPECT_EQ(2, header.index);
  EXPECT_EQ(7u, header.dataSize);
  EXPECT_EQ(65535, header.bufferSize);
  EXPECT_EQ(0u, header.reserved24);
  EXPECT_EQ(InMemoryHandheld::kReadRecordIdBase + 2, header.recordId);

  EXPECT_TRUE(MarkerMade());
  EXPECT_FALSE(folder.Exists("DateSync.dat"));
  EXPECT_FALSE(folder.Exists("TMPdate.dat"));
}

TEST_F(RetrieveStep, FilesAndMarkerForDatabasesOfManyShapes) {
  struct ShapeCase {
    const char* guards;
    std::vector<size_t> sizes;
    std::vector<std::string> files;  // expected, in order; the last one listed is checked by name
  };
  std::vector<size_t> thousandAndOne(1001, 3);
  std::vector<size_t> withEmpties(1003, 2);
  withEmpties[0] = withEmpties[500] = 0;
  const ShapeCase cases[] = {
      {"an empty database gives the marker alone", {}, {}},
      {"a database of empty records gives the marker alone", {0, 0, 0}, {}},
      {"the largest record the buffer holds", {65535}, {"PMData.000"}},
      {"1001 records end with a four-digit number", thousandAndOne, {"PMData.1000"}},
      {"empty records use no number", withEmpties, {"PMData.1000"}},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.guards);
    ResetHandheld();
    for (const std::string& name : RecordFiles()) DeleteFileA(folder.PathOf(name).c_str());
    DeleteFileA(folder.PathOf("HH2PC.dat").c_str());
    std::vector<std::string> records;
    for (size_t i = 0; i < c.sizes.size(); ++i) records.push_back(Filled(c.sizes[i], static_cast<int>(i)));
    MakeDatabase(records);

    EXPECT_EQ(0, RetrieveRecords(kDatabase));
    EXPECT_TRUE(MarkerMade());
    EXPECT_TRUE(TheHandheld().log.empty());
    size_t withData = 0;
    for (size_t size : c.sizes) withData += size != 0;
    EXPECT_EQ(withData, RecordFiles().size());
    if (!c.files.empty()) {
      EXPECT_TRUE(folder.Exists(c.files.back()));
      ExpectRecordFile(c.files.back(), c.sizes.size() - 1, records.back());
    }
    EXPECT_FALSE(folder.Exists("PMData.1001"));
  }
}

TEST_F(RetrieveStep, AnOldFileOfTheSameNumberIsReplacedAndAHigherOneStays) {
  folder.Write("PMData.000", std::string(500, 'o'));
  folder.Write("PMData.005", "older");
  MakeDatabase({Filled(10, 1)});
  EXPECT_EQ(0, RetrieveRecords(kDatabase));
  ExpectRecordFile("PMData.000", 0, Filled(10, 1));
  std::string higher;
  ASSERT_TRUE(folder.Read("PMData.005", &higher));
  EXPECT_EQ("older", higher);
}

TEST_F(RetrieveStep, AnExistingMarkerStopsTheLastRename) {
  folder.Write("HH2PC.dat", "");
  MakeDatabase({Filled(4, 1)});
  EXPECT_EQ(0, RetrieveRecords(kDatabase));
  EXPECT_TRUE(folder.Exists("DateSync.dat"));
  EXPECT_FALSE(folder.Exists("TMPdate.dat"));
}

struct FailureCase {
  const char* guards;
  const char* operation;  // the Sync Manager operation to fail, or null
  uint32_t call;
  int32_t result;
  std::vector<std::string> log;
  std::vector<std::string> files;  // the record files left
};

TEST_F(RetrieveStep, EachFailureIsLoggedLeavesTheFilesSoFarAndNoMarker) {
  const FailureCase cases[] = {
      {"the database cannot be opened", "open-database", 1, kSmErrIo,
       {"22 1 KifuDB : データベースのオープンに失敗しました。"}, {}},
      {"the record count cannot be had", "get-record-count", 1, 1,
       {"22 1 Marbelo － KifuDB : レコード数を取得できなかったため、取り込めませんでした。"}, {}},
      {"a record cannot be read after two with data", "read-record-by-index", 3, 1,
       {"22 1 Palmからのデータの読み込みに失敗しました。"}, {"PMData.000", "PMData.001"}},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.guards);
    ResetHandheld();
    for (const std::string& name : RecordFiles()) DeleteFileA(folder.PathOf(name).c_str());
    MakeDatabase({Filled(10, 1), Filled(7, 2), Filled(5, 3), Filled(3, 4)});
    TheHandheld().Fail(c.operation, c.call, kSmErrIo);
    EXPECT_EQ(c.result, RetrieveRecords(kDatabase));
    EXPECT_EQ(c.log, TheHandheld().log);
    EXPECT_EQ(c.files, RecordFiles());
    EXPECT_FALSE(MarkerMade());
    EXPECT_FALSE(folder.Exists("DateSync.dat"));
    EXPECT_EQ(0, TheHandheld().openDatabases);
  }
}

TEST_F(RetrieveStep, ARecordFileThatCannotBeCreatedStopsTheRetrieval) {
  // A folder of the record file's name cannot be opened as a file.
  ASSERT_TRUE(CreateDirectoryA(folder.PathOf("PMData.001").c_str(), nullptr));
  MakeDatabase({Filled(10, 1), Filled(7, 2), Filled(5, 3)});
  EXPECT_EQ(1, RetrieveRecords(kDatabase));
  const std::vector<std::string> log = {"22 1 パソコン側のファイルの作成に失敗しました。"};
  EXPECT_EQ(log, TheHandheld().log);
  EXPECT_FALSE(folder.Exists("PMData.002"));
  ExpectRecordFile("PMData.000", 0, Filled(10, 1));
  EXPECT_FALSE(MarkerMade());
  EXPECT_EQ(0, TheHandheld().openDatabases);
}

TEST_F(RetrieveStep, ARecordLargerThanTheBufferIsNotWrittenAsIfWhole) {
  MakeDatabase({Filled(10, 1), Filled(70000, 2), Filled(5, 3)});
  EXPECT_EQ(1, RetrieveRecords(kDatabase));
  const std::vector<std::string> log = {
      "22 1 Marbelo － 1 番目のレコードが大きすぎて読み込めなかったため、取り込みを中止しました。"};
  EXPECT_EQ(log, TheHandheld().log);
  const std::vector<std::string> files = {"PMData.000"};
  EXPECT_EQ(files, RecordFiles());
  EXPECT_FALSE(MarkerMade());
  EXPECT_EQ(0, TheHandheld().openDatabases);
}

TEST_F(RetrieveStep, AFailedAllocationIsLoggedAndTheDatabaseClosed) {
  MakeDatabase({Filled(10, 1)});
  FailTransferBufferAllocation(true);
  EXPECT_EQ(1, RetrieveRecords(kDatabase));
  const std::vector<std::string> log = {"22 1 Marbelo － メモリが不足しているため、取り込めませんでした。"};
  EXPECT_EQ(log, TheHandheld().log);
  EXPECT_TRUE(RecordFiles().empty());
  EXPECT_FALSE(MarkerMade());
  EXPECT_EQ(0, TheHandheld().openDatabases);
}

}  // namespace
