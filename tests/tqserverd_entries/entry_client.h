// The entry procedures (1 get, 2 set, 3 create, 4 delete, 37 merge) as
// plain RPC calls of one protocol version, with the records of that version
// (a single entry id text and a one-byte merge type at versions 2 and 3), and
// values in a form that tests compare easily.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rpc_client.h"
#include "server_test_util.h"
#include "tqlink.h"

namespace enttest {

inline constexpr const char* kForm = "Demo:Request";

// The demo form's fields.
inline constexpr uint32_t kId = 1, kSubmitter = 2, kCreateDate = 3, kAssignee = 4,
                          kLastModifiedBy = 5, kModifiedDate = 6, kStatus = 7, kSummary = 8,
                          kHistory = 15, kAccessCode = 102, kWorkLog = 536870913,
                          kPriority = 536870914, kImpact = 536870915, kHours = 536870916,
                          kCost = 536870917, kDueDate = 536870918;

// A typed value: the number of integer-like types, the real, or the text.
struct Val {
  uint32_t type = TQ_DATA_TYPE_NULL;
  int64_t number = 0;
  double real = 0;
  std::string text;

  bool operator==(const Val&) const = default;
};

Val nullV();
Val charV(std::string text);
Val diaryV(std::string text);
Val decimalV(std::string text);
Val intV(int32_t number);
Val enumV(uint32_t index);
Val timeV(int32_t seconds);
Val realV(double real);

using FieldValues = std::vector<std::pair<uint32_t, Val>>;

struct Reply {
  clnt_stat stat = RPC_FAILED;
  std::vector<int32_t> numbers;    // message numbers of the status list
  std::vector<std::string> texts;  // their appended texts ("" where none)
  std::string entryId;             // create and merge
  FieldValues values;              // get
  TQTimestamp time = 0;            // the result header's operation time

  bool ok() const { return stat == RPC_SUCCESS && numbers.empty(); }
  // The value of a field in a get's answer; the test fails without it.
  Val value(uint32_t fieldId) const;
};

class EntryClient {
 public:
  EntryClient(uint16_t port, uint32_t version, tqsdtest::Credentials who = {});

  uint32_t version() const { return client_.version(); }
  void setUser(tqsdtest::Credentials who) { who_ = std::move(who); }

  Reply create(const std::string& form, const FieldValues& values);
  // Fields empty: all fields. At versions 2 and 3 the first id (or an empty
  // text) travels.
  Reply get(const std::string& form, const std::vector<std::string>& ids,
            const std::vector<uint32_t>& fields = {}, uint32_t valuesWanted = 1);
  Reply set(const std::string& form, const std::vector<std::string>& ids, const FieldValues& values,
            TQTimestamp getTime = 0);
  Reply remove(const std::string& form, const std::vector<std::string>& ids);
  Reply merge(const std::string& form, const FieldValues& values, uint32_t mergeType);

  // Get and set of one entry of the demo form.
  Reply read(const std::string& id, const std::vector<uint32_t>& fields = {}) {
    return get(kForm, std::vector<std::string>{id}, fields);
  }
  Reply write(const std::string& id, const FieldValues& values) {
    return set(kForm, std::vector<std::string>{id}, values);
  }

 private:
  tqtest::RpcClient client_;
  tqsdtest::Credentials who_;
};

// The appended texts a client of the version receives for these: status
// items of versions 2 to 5 carry none.
std::vector<std::string> appendedAt(const EntryClient& client, std::vector<std::string> texts);

// A seed file of the test's own, removed at the end of its scope.
class SeedFile {
 public:
  explicit SeedFile(const std::string& text);
  ~SeedFile();
  SeedFile(const SeedFile&) = delete;
  SeedFile& operator=(const SeedFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The switches of a server with the demo forms.
std::vector<std::string> demoSwitches();

}  // namespace enttest
