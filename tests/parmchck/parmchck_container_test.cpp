// Container owners, type lists and references.
#include <functional>

#include "parmchck_fixture.h"

namespace {

TEST(ParmchckContainer, Owner) {
  struct Case {
    uint32_t type;
    const char* name;
    Numbers expected;
  } cases[] = {
      {TQ_CONTAINER_OWNER_NONE, "", {}},
      {TQ_CONTAINER_OWNER_ALL, "", {}},
      {TQ_CONTAINER_OWNER_SCHEMA, "Orders", {}},
      {TQ_CONTAINER_OWNER_SCHEMA, "", {kTQErrBadContainerOwner, kTQErrNameMissing}},
      {7, "", {kTQErrBadContainerOwner, kTQErrNameMissing}},
  };
  for (const Case& c : cases) {
    TQContainerOwnerObj owner{c.type, {}};
    setText(owner.ownerName, c.name);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckContainerOwner(&owner, s.get()), s, c.expected)) << c.type;
  }
}

TEST(ParmchckContainer, CountedListsNeedTheirArrays) {
  TQContainerTypeList types{1, nullptr};
  TQReferenceTypeList refTypes{2, nullptr};
  TQReferenceList refs{1, nullptr};
  Status a, b, c;
  EXPECT_TRUE(Outcome(tqCheckContainerTypeList(&types, a.get()), a, {kTQErrNullArray}));
  EXPECT_TRUE(Outcome(tqCheckReferenceTypeList(&refTypes, b.get()), b, {kTQErrNullArray}));
  EXPECT_TRUE(Outcome(tqCheckReferenceList(&refs, c.get()), c, {kTQErrNullArray}));
  TQContainerTypeList none{0, nullptr};
  Status d;
  EXPECT_TRUE(Outcome(tqCheckContainerTypeList(&none, d.get()), d, {}));
}

TEST(ParmchckContainer, References) {
  struct Case {
    const char* what;
    std::function<void(TQReferenceStruct&)> set;
    Numbers expected;
  } cases[] = {
      {"server object", [](auto&) {}, {}},
      {"type 0", [](auto& r) { r.type = 0; }, {kTQErrBadReferenceType}},
      {"no label", [](auto& r) { r.label = nullptr; }, {kTQErrNoReferenceLabel}},
      {"empty label", [](auto& r) { r.label = const_cast<char*>(""); }, {kTQErrNoReferenceLabel}},
      {"object without name", [](auto& r) { r.u.name[0] = '\0'; }, {kTQErrNameMissing}},
      {"external", [](auto& r) { r.dataType = TQ_REF_DATA_EXTERNAL, r.u.extRef = {}; }, {}},
      {"external, groups without array",
       [](auto& r) {
         r.dataType = TQ_REF_DATA_EXTERNAL, r.u.extRef = {{1, nullptr}, {}};
       },
       {kTQErrNullArray}},
      {"external, bad value",
       [](auto& r) {
         r.dataType = TQ_REF_DATA_EXTERNAL, r.u.extRef = {};
         r.u.extRef.value.dataType = 42;
       },
       {kTQErrBadDataType}},
  };
  for (const Case& c : cases) {
    TQReferenceStruct ref{};
    ref.label = const_cast<char*>("Help");
    ref.type = 1;
    ref.dataType = TQ_REF_DATA_SERVER;
    setText(ref.u.name, "Orders");
    c.set(ref);
    TQReferenceList list{1, &ref};
    Status s;
    EXPECT_TRUE(Outcome(tqCheckReferenceList(&list, s.get()), s, c.expected)) << c.what;
  }
  Status s;
  EXPECT_TRUE(Outcome(tqCheckReference(nullptr, s.get()), s, {kTQErrNoReference}));
}

}  // namespace
