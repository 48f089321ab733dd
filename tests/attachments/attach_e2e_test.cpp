// Attachment values end to end against tqserverd: a create with file and
// memory attachments changes the caller's values as documented, a get
// returns the attachment's name and sizes, and TQGetEntryBLOB brings back
// the original bytes, to a file and to memory, whatever their size and
// however well they pack.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace {

using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

constexpr const char* kForm = "Files";
constexpr uint32_t kTitle = 8;
constexpr uint32_t kDocument = 536870920;
constexpr uint32_t kProcBlob = 80;

// A file of the test's own, removed at the end of its scope.
struct TempFile {
  std::string path;
  explicit TempFile(const std::string& contents = "") {
    char name[] = "/tmp/tq_attach_XXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    close(fd);
    path = name;
    write(contents);
  }
  ~TempFile() { std::remove(path.c_str()); }
  void write(const std::string& contents) const {
    std::ofstream(path, std::ios::binary) << contents;
  }
  std::string read() const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

const char* kSeed =
    "form Files\n"
    "field 1 char Id\n"
    "field 2 char Submitter\n"
    "field 3 time CreateDate\n"
    "field 5 char LastModifiedBy\n"
    "field 6 time ModifiedDate\n"
    "field 8 char Title\n"
    "field 536870920 attach Document\n";

struct Server {
  TempFile seed{kSeed};
  TestServer server{{"--forms", seed.path}};
};

std::string words(size_t size) {
  static const char* kWords[] = {"request ", "printer ", "network ", "fixed ", "open ", "the "};
  std::mt19937 random(7);
  std::string text;
  while (text.size() < size)
    text += kWords[random() % 6];
  text.resize(size);
  return text;
}

std::string noise(size_t size) {
  std::mt19937 random(11);
  std::string bytes(size, '\0');
  for (char& b : bytes)
    b = static_cast<char>(random());
  return bytes;
}

// One attachment value of the caller's, in malloc blocks as the library
// expects (it releases and replaces them in place).
struct Attachment {
  TQAttachStruct attach{};
  TQFieldValueStruct item{};

  Attachment(const char* name, int32_t size) {
    attach.name = strdup(name);
    attach.originalSize = size;
    item.fieldId = kDocument;
    item.value.dataType = TQ_DATA_TYPE_ATTACH;
    item.value.u.attachVal = &attach;
  }
  static Attachment file(const std::string& path, int32_t size) {
    Attachment a("report.txt", size);
    a.attach.loc.locationType = TQ_LOC_FILENAME;
    a.attach.loc.u.filename = strdup(path.c_str());
    return a;
  }
  static Attachment memory(const std::string& bytes) {
    Attachment a("report.txt", 0);
    a.attach.loc.locationType = TQ_LOC_BUFFER;
    a.attach.loc.u.buf.bufferSize = static_cast<uint32_t>(bytes.size());
    a.attach.loc.u.buf.buffer = static_cast<unsigned char*>(std::malloc(bytes.size() + 1));
    std::memcpy(a.attach.loc.u.buf.buffer, bytes.data(), bytes.size());
    return a;
  }
  Attachment(Attachment&& other) noexcept : attach(other.attach), item(other.item) {
    item.value.u.attachVal = &attach;
    other.attach = TQAttachStruct{};
  }
  ~Attachment() { FreeTQAttachStruct(&attach, 0); }
  TQFieldValueList list() { return {1, &item}; }
};

std::string create(Client& c, Attachment& a, uint32_t* code) {
  TQFieldValueList list = a.list();
  TQEntryIdType id = {};
  *code = TQCreateEntry(&c.control, kForm, &list, id, c.fresh());
  return id;
}

TQEntryIdList idList(TQEntryIdType& id) {
  return {1, &id};
}

uint32_t fetchToMemory(Client& c, const std::string& entry, std::string* out,
                       uint32_t field = kDocument) {
  TQEntryIdType id = {};
  std::strncpy(id, entry.c_str(), TQ_MAX_ENTRYID_SIZE);
  TQEntryIdList ids = idList(id);
  TQLocStruct loc{};
  loc.locationType = TQ_LOC_BUFFER;
  loc.u.buf.bufferSize = 99;
  const uint32_t code = TQGetEntryBLOB(&c.control, kForm, &ids, field, &loc, c.fresh());
  out->assign(reinterpret_cast<char*>(loc.u.buf.buffer), loc.u.buf.bufferSize);
  if (code < TQ_RETURN_ERROR) {
    EXPECT_NE(loc.u.buf.buffer, nullptr);
  } else {
    EXPECT_EQ(loc.u.buf.buffer, nullptr);
    EXPECT_EQ(loc.u.buf.bufferSize, 0u);
  }
  std::free(loc.u.buf.buffer);
  return code;
}

uint32_t fetchToFile(Client& c, const std::string& entry, const std::string& path) {
  TQEntryIdType id = {};
  std::strncpy(id, entry.c_str(), TQ_MAX_ENTRYID_SIZE);
  TQEntryIdList ids = idList(id);
  TQLocStruct loc{};
  loc.locationType = TQ_LOC_FILENAME;
  loc.u.filename = const_cast<char*>(path.c_str());
  return TQGetEntryBLOB(&c.control, kForm, &ids, kDocument, &loc, c.fresh());
}

TEST(AttachEndToEnd, RoundTripsFileAndMemoryAttachments) {
  Server s;
  Client c;
  ASSERT_EQ(c.route(s.server.port()), 0u);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"one byte", "x"},
      {"one chunk of text", words(15000)},
      {"many chunks of text", words(3 << 20)},
      {"many chunks that do not pack", noise(200000)},
  };
  for (const Case& k : cases) {
    for (bool fromFile : {true, false}) {
      SCOPED_TRACE(std::string(k.what) + (fromFile ? ", from a file" : ", from memory"));
      TempFile source(k.bytes);
      Attachment a = fromFile ? Attachment::file(source.path, static_cast<int32_t>(k.bytes.size()))
                              : Attachment::memory(k.bytes);
      uint32_t code = 9;
      const std::string entry = create(c, a, &code);
      ASSERT_EQ(code, 0u) << testing::PrintToString(numbers(c.status));

      // The caller's value now holds what was sent: memory, sizes of it.
      EXPECT_EQ(a.attach.loc.locationType, static_cast<uint32_t>(TQ_LOC_BUFFER));
      EXPECT_EQ(a.attach.originalSize, static_cast<int32_t>(k.bytes.size()));
      EXPECT_EQ(static_cast<uint32_t>(a.attach.compressedSize), a.attach.loc.u.buf.bufferSize);
      if (k.bytes.size() > 1000 && k.bytes[0] == 'r') {
        EXPECT_LT(a.attach.compressedSize, a.attach.originalSize / 2);  // text packs
      }

      // A get describes the attachment by its name and sizes.
      TQEntryIdType id = {};
      std::strncpy(id, entry.c_str(), TQ_MAX_ENTRYID_SIZE);
      TQEntryIdList ids = idList(id);
      TQInternalIdList wanted{1, const_cast<uint32_t*>(&kDocument)};
      TQFieldValueList got{};
      ASSERT_EQ(TQGetEntry(&c.control, kForm, &ids, &wanted, &got, c.fresh()), 0u);
      ASSERT_EQ(got.numItems, 1u);
      const TQAttachStruct* back = got.fieldValueList[0].value.u.attachVal;
      ASSERT_NE(back, nullptr);
      EXPECT_STREQ(back->name, "report.txt");
      EXPECT_EQ(back->originalSize, a.attach.originalSize);
      EXPECT_EQ(back->compressedSize, a.attach.compressedSize);
      EXPECT_EQ(back->loc.locationType, static_cast<uint32_t>(TQ_LOC_FILENAME));
      EXPECT_STREQ(back->loc.u.filename, "report.txt");
      FreeTQFieldValueList(&got, 0);

      std::string memory;
      EXPECT_EQ(fetchToMemory(c, entry, &memory), 0u) << testing::PrintToString(numbers(c.status));
      EXPECT_TRUE(memory == k.bytes) << memory.size() << " bytes of " << k.bytes.size();
      TempFile target;
      EXPECT_EQ(fetchToFile(c, entry, target.path), 0u);
      EXPECT_TRUE(target.read() == k.bytes);
    }
  }
}

TEST(AttachEndToEnd, EmptyAndShortFiles) {
  Server s;
  Client c;
  ASSERT_EQ(c.route(s.server.port()), 0u);

  // Size 0: the file is opened but not read; an empty attachment travels.
  TempFile some("not read");
  Attachment empty = Attachment::file(some.path, 0);
  uint32_t code = 9;
  std::string entry = create(c, empty, &code);
  ASSERT_EQ(code, 0u) << testing::PrintToString(numbers(c.status));
  EXPECT_EQ(empty.attach.loc.locationType, 0u);
  EXPECT_EQ(empty.attach.compressedSize, 0);
  std::string memory = "stale";
  EXPECT_EQ(fetchToMemory(c, entry, &memory), 0u);
  EXPECT_EQ(memory, "");

  // A file shorter than the size given goes with the size of what it held.
  TempFile shortFile("twelve bytes");
  Attachment shorter = Attachment::file(shortFile.path, 1000);
  entry = create(c, shorter, &code);
  ASSERT_EQ(code, 0u);
  EXPECT_EQ(shorter.attach.originalSize, 12);
  EXPECT_EQ(fetchToMemory(c, entry, &memory), 0u);
  EXPECT_EQ(memory, "twelve bytes");

  // An empty file with a size yields no data: 295, nothing sent.
  TempFile nothing("");
  Attachment none = Attachment::file(nothing.path, 10);
  create(c, none, &code);
  EXPECT_EQ(code, 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{295});
}

TEST(AttachEndToEnd, PreparationFailuresStopBeforeTheServer) {
  Server s;
  Client c;
  ASSERT_EQ(c.route(s.server.port()), 0u);
  TempFile ok("data");
  struct Case {
    const char* what;
    Attachment (*make)(const std::string&);
    int32_t message;
  };
  const std::vector<Case> cases = {
      {"missing file",
       [](const std::string&) { return Attachment::file("/nonexistent/dir/file", 4); }, 342},
      {"size above 2 GiB", [](const std::string& p) { return Attachment::file(p, -1); }, 8703},
      {"location type 3",
       [](const std::string&) {
         Attachment a("x", 4);
         a.attach.loc.locationType = 3;
         return a;
       },
       8700},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Attachment a = k.make(ok.path);
    uint32_t code = 9;
    create(c, a, &code);
    EXPECT_EQ(code, 2u);
    ASSERT_FALSE(c.status.numItems == 0);
    EXPECT_EQ(c.status.statusList[0].messageNumber, k.message);
  }
  EXPECT_EQ(s.server.calls(3), 0u);
}

TEST(AttachEndToEnd, FetchFailures) {
  Server s;
  Client c;
  ASSERT_EQ(c.route(s.server.port()), 0u);
  Attachment a = Attachment::memory(words(100000));
  uint32_t code = 9;
  const std::string entry = create(c, a, &code);
  ASSERT_EQ(code, 0u);
  TQEntryIdType id = {};
  std::strncpy(id, entry.c_str(), TQ_MAX_ENTRYID_SIZE);
  TQEntryIdList ids = idList(id);

  // Location type 3, or none: 8700 and no call.
  TQLocStruct bad{};
  bad.locationType = 3;
  EXPECT_EQ(TQGetEntryBLOB(&c.control, kForm, &ids, kDocument, &bad, c.fresh()), 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{8700});
  EXPECT_EQ(TQGetEntryBLOB(&c.control, kForm, &ids, kDocument, nullptr, c.fresh()), 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{8700});
  EXPECT_EQ(s.server.calls(kProcBlob), 0u);

  // A target that cannot be created: 342; one that takes nothing: 301.
  EXPECT_EQ(fetchToFile(c, entry, "/nonexistent/dir/out"), 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{342});
  EXPECT_EQ(s.server.calls(kProcBlob), 0u);
  if (access("/dev/full", W_OK) == 0) {
    EXPECT_EQ(fetchToFile(c, entry, "/dev/full"), 2u);
    EXPECT_EQ(numbers(c.status), std::vector<int32_t>{301});
  }

  // The server's refusals reach the caller, with nothing added.
  std::string memory;
  EXPECT_EQ(fetchToMemory(c, "999", &memory), 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{302});
  EXPECT_EQ(fetchToMemory(c, entry, &memory, kTitle), 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{9380});
}

TEST(AttachEndToEnd, SmallestReplySizeStillDelivers) {
  tqsess::EnvVar size("TQRPC_RESPONSE_SIZE", "4096");
  Server s;
  Client c;
  ASSERT_EQ(c.route(s.server.port()), 0u);
  const std::string bytes = noise(40000);
  Attachment a = Attachment::memory(bytes);
  uint32_t code = 9;
  const std::string entry = create(c, a, &code);
  ASSERT_EQ(code, 0u);
  std::string memory;
  EXPECT_EQ(fetchToMemory(c, entry, &memory), 0u);
  EXPECT_TRUE(memory == bytes);
  // 40 000 bytes and more in chunks of 3596 bytes.
  EXPECT_GE(s.server.calls(kProcBlob), 12u);
}

}  // namespace
