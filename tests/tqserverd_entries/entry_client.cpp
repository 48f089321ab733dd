// Plain calls of the entry procedures (see entry_client.h).
#include "entry_client.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <list>
#include <stdexcept>

namespace enttest {
namespace {

Val numberVal(uint32_t type, int64_t number) {
  Val v;
  v.type = type;
  v.number = number;
  return v;
}

Val textVal(uint32_t type, std::string text) {
  Val v;
  v.type = type;
  v.text = std::move(text);
  return v;
}

// A field value list that points into copies of the test's values for the
// life of one call.
class Outgoing {
 public:
  explicit Outgoing(const FieldValues& values) {
    for (const auto& [fieldId, val] : values) {
      TQFieldValueStruct item{};
      item.fieldId = fieldId;
      item.value.dataType = val.type;
      switch (val.type) {
        case TQ_DATA_TYPE_CHAR:
        case TQ_DATA_TYPE_DIARY:
        case TQ_DATA_TYPE_DECIMAL:
          item.value.u.charVal = texts_.emplace_back(val.text).data();
          break;
        case TQ_DATA_TYPE_REAL:
          item.value.u.realVal = val.real;
          break;
        case TQ_DATA_TYPE_INTEGER:
        case TQ_DATA_TYPE_TIME:
          item.value.u.intVal = static_cast<int32_t>(val.number);
          break;
        default:
          item.value.u.ulongVal = static_cast<uint32_t>(val.number);
          break;
      }
      items_.push_back(item);
    }
  }

  TQFieldValueList list() {
    return TQFieldValueList{static_cast<uint32_t>(items_.size()), items_.data()};
  }

 private:
  std::list<std::string> texts_;  // stable addresses
  std::vector<TQFieldValueStruct> items_;
};

// An entry id list that points into copies of the ids.
class OutgoingIds {
 public:
  explicit OutgoingIds(const std::vector<std::string>& ids) : ids_(ids.size()) {
    for (size_t i = 0; i < ids.size(); ++i) {
      std::strncpy(ids_[i].id, ids[i].c_str(), sizeof ids_[i].id - 1);
    }
    first_ = ids.empty() ? std::string() : ids[0];
  }
  TQEntryIdList list() {
    return TQEntryIdList{static_cast<uint32_t>(ids_.size()),
                         reinterpret_cast<TQEntryIdType*>(ids_.data())};
  }
  char* first() { return first_.data(); }

 private:
  struct Id {
    TQEntryIdType id{};
  };
  std::vector<Id> ids_;
  std::string first_;
};

Val fromWire(const TQValueStruct& value) {
  switch (value.dataType) {
    case TQ_DATA_TYPE_CHAR:
    case TQ_DATA_TYPE_DIARY:
    case TQ_DATA_TYPE_DECIMAL:
      return textVal(value.dataType, value.u.charVal ? value.u.charVal : "<null text>");
    case TQ_DATA_TYPE_REAL:
      return realV(value.u.realVal);
    case TQ_DATA_TYPE_INTEGER:
    case TQ_DATA_TYPE_TIME:
      return numberVal(value.dataType, value.u.intVal);
    case TQ_DATA_TYPE_NULL:
      return nullV();
    default:
      return numberVal(value.dataType, value.u.ulongVal);
  }
}

template <class R>
void collectStatus(const R& result, Reply* reply) {
  reply->time = result.header.operationTime;
  for (uint32_t i = 0; i < result.status.numItems; ++i) {
    const TQStatusStruct& s = result.status.statusList[i];
    reply->numbers.push_back(s.messageNumber);
    reply->texts.push_back(s.appendedText ? s.appendedText : "");
  }
}

// One call with the records A and R of the client's version.
template <class A, class R, class Collect>
Reply call(tqtest::RpcClient& client, uint32_t procedure, A& args, Collect collect) {
  tqtest::WireSession session;
  R result{};
  Reply reply;
  reply.stat = client.call(TQProgram::kServer, procedure, &args, &result);
  if (reply.stat == RPC_SUCCESS) {
    collectStatus(result, &reply);
    collect(result, &reply);
  }
  tqtest::releaseRecord(tqFindProcedure(TQProgram::kServer, client.version(), procedure)->xdrResult,
                        &result);
  return reply;
}

constexpr auto kNothing = [](const auto&, Reply*) {};
constexpr auto kEntryId = [](const TQEntryIdResult& r, Reply* reply) {
  reply->entryId = std::string(r.entryId, strnlen(r.entryId, sizeof r.entryId));
};

}  // namespace

Val nullV() {
  return Val{};
}
Val charV(std::string text) {
  return textVal(TQ_DATA_TYPE_CHAR, std::move(text));
}
Val diaryV(std::string text) {
  return textVal(TQ_DATA_TYPE_DIARY, std::move(text));
}
Val decimalV(std::string text) {
  return textVal(TQ_DATA_TYPE_DECIMAL, std::move(text));
}
Val intV(int32_t number) {
  return numberVal(TQ_DATA_TYPE_INTEGER, number);
}
Val enumV(uint32_t index) {
  return numberVal(TQ_DATA_TYPE_ENUM, index);
}
Val timeV(int32_t seconds) {
  return numberVal(TQ_DATA_TYPE_TIME, seconds);
}
Val realV(double real) {
  Val v;
  v.type = TQ_DATA_TYPE_REAL;
  v.real = real;
  return v;
}

Val Reply::value(uint32_t fieldId) const {
  for (const auto& [id, val] : values) {
    if (id == fieldId) return val;
  }
  ADD_FAILURE() << "field " << fieldId << " is not in the answer";
  return textVal(TQ_DATA_TYPE_MAX + 1, "<missing>");
}

EntryClient::EntryClient(uint16_t port, uint32_t version, tqsdtest::Credentials who)
    : client_(port, tqsdtest::kServerProgram, version), who_(std::move(who)) {}

Reply EntryClient::create(const std::string& form, const FieldValues& values) {
  Outgoing out(values);
  std::string schema = form;
  TQCreateEntryArgs args{};
  args.header = tqsdtest::makeHeader(who_);
  args.schema = schema.data();
  args.fieldValues = out.list();
  return call<TQCreateEntryArgs, TQEntryIdResult>(client_, 3, args, kEntryId);
}

Reply EntryClient::get(const std::string& form, const std::vector<std::string>& ids,
                       const std::vector<uint32_t>& fields, uint32_t valuesWanted) {
  OutgoingIds outIds(ids);
  std::vector<uint32_t> wanted = fields;
  std::string schema = form;
  auto collect = [](const TQGetEntryResult& r, Reply* reply) {
    for (uint32_t i = 0; i < r.fieldValues.numItems; ++i) {
      const TQFieldValueStruct& item = r.fieldValues.fieldValueList[i];
      reply->values.emplace_back(item.fieldId, fromWire(item.value));
    }
  };
  auto fill = [&](auto& args) {
    args.header = tqsdtest::makeHeader(who_);
    args.schema = schema.data();
    args.fieldIds = TQInternalIdList{static_cast<uint32_t>(wanted.size()), wanted.data()};
    args.valuesWanted = valuesWanted;
  };
  if (version() <= 3) {
    TQGetEntryArgsOld args{};
    fill(args);
    args.entryId = outIds.first();
    return call<TQGetEntryArgsOld, TQGetEntryResult>(client_, 1, args, collect);
  }
  TQGetEntryArgs args{};
  fill(args);
  args.entryId = outIds.list();
  return call<TQGetEntryArgs, TQGetEntryResult>(client_, 1, args, collect);
}

Reply EntryClient::set(const std::string& form, const std::vector<std::string>& ids,
                       const FieldValues& values, TQTimestamp getTime) {
  OutgoingIds outIds(ids);
  Outgoing out(values);
  std::string schema = form;
  auto fill = [&](auto& args) {
    args.header = tqsdtest::makeHeader(who_);
    args.schema = schema.data();
    args.fieldValues = out.list();
    args.getTime = getTime;
  };
  if (version() <= 3) {
    TQSetEntryArgsOld args{};
    fill(args);
    args.entryId = outIds.first();
    return call<TQSetEntryArgsOld, TQStatusResult>(client_, 2, args, kNothing);
  }
  TQSetEntryArgs args{};
  fill(args);
  args.entryId = outIds.list();
  return call<TQSetEntryArgs, TQStatusResult>(client_, 2, args, kNothing);
}

Reply EntryClient::remove(const std::string& form, const std::vector<std::string>& ids) {
  OutgoingIds outIds(ids);
  std::string schema = form;
  if (version() <= 3) {
    TQDeleteEntryArgsOld args{};
    args.header = tqsdtest::makeHeader(who_);
    args.schema = schema.data();
    args.entryId = outIds.first();
    return call<TQDeleteEntryArgsOld, TQStatusResult>(client_, 4, args, kNothing);
  }
  TQDeleteEntryArgs args{};
  args.header = tqsdtest::makeHeader(who_);
  args.schema = schema.data();
  args.entryId = outIds.list();
  return call<TQDeleteEntryArgs, TQStatusResult>(client_, 4, args, kNothing);
}

Reply EntryClient::merge(const std::string& form, const FieldValues& values, uint32_t mergeType) {
  Outgoing out(values);
  std::string schema = form;
  auto fill = [&](auto& args) {
    args.header = tqsdtest::makeHeader(who_);
    args.schema = schema.data();
    args.fieldValues = out.list();
  };
  if (version() <= 3) {
    TQMergeEntryArgsOld args{};
    fill(args);
    args.mergeType = static_cast<uint8_t>(mergeType);
    return call<TQMergeEntryArgsOld, TQEntryIdResult>(client_, 37, args, kEntryId);
  }
  TQMergeEntryArgs args{};
  fill(args);
  args.mergeType = mergeType;
  return call<TQMergeEntryArgs, TQEntryIdResult>(client_, 37, args, kEntryId);
}

std::vector<std::string> appendedAt(const EntryClient& client, std::vector<std::string> texts) {
  if (client.version() < 6) {
    for (std::string& text : texts)
      text.clear();
  }
  return texts;
}

SeedFile::SeedFile(const std::string& text) {
  std::string pattern = testing::TempDir() + "tq_seed_XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd < 0) throw std::runtime_error("mkstemp failed for " + pattern);
  close(fd);
  path_ = pattern;
  std::ofstream(path_, std::ios::binary) << text;
}

SeedFile::~SeedFile() {
  std::remove(path_.c_str());
}

std::vector<std::string> demoSwitches() {
  return {"--forms", TQ_DEMO_FORMS};
}

}  // namespace enttest
