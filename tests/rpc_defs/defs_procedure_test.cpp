// The argument and result records of the definition, list and transfer
// procedures: exact layouts of the shared shapes, round trips of the rich
// ones, and clean failure of every cut of a result.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "defs_builders.h"
#include "defs_test_util.h"
#include "rpc/procedures.h"
#include "rpc/xdr_header.h"
#include "rpc/xdr_proc.h"

namespace {

std::string str(const char* text) {
  return text != nullptr ? text : "";
}

TQCallHeader sampleHeader() {
  TQCallHeader h{};
  h.cacheId = 17;
  h.operationTime = 1700000000;
  setText(h.user, "jdoe");
  setText(h.password, "secret");
  h.reserved = 20000;
  h.flag = 1;
  return h;
}

Bytes header6() {
  TQCallHeader h = sampleHeader();
  return encodeWith(xdr_TQCallHeader6, &h);
}

Bytes emptyStatus() {
  return words({0});
}

TEST(DefsProcedures, SharedShapesLayOutTheirFieldsInOrder) {
  SessionScope scope;
  Pool pool;
  TQNameMaskArgs get{sampleHeader(), pool.text("Escalate"), 0x1F};
  EXPECT_EQ(encodeWith(xdr_TQNameMaskArgs6, &get),
            header6() + countedText("Escalate") + words({0x1F}));

  TQSchemaSinceArgs list{sampleHeader(), pool.text("Tickets"), -1};
  EXPECT_EQ(encodeWith(xdr_TQSchemaSinceArgs6, &list),
            header6() + countedText("Tickets") + words({0xFFFFFFFFu}));

  TQIdResult created{sampleHeader(), 536870999, {}};
  EXPECT_EQ(encodeWith(xdr_TQIdResult6, &created), header6() + words({536870999}) + emptyStatus());

  TQGetDefinitionResult got{sampleHeader(), {}, {}};
  got.common.helpText = pool.text("help");
  got.common.changed = 5;
  setText(got.common.owner, "owner");
  setText(got.common.lastChanged, "editor");
  got.common.changeDiary = pool.text("diary");
  EXPECT_EQ(encodeWith(xdr_TQGetDefinitionResult6, &got),
            header6() + countedText("help") + words({5}) + fixedText("owner", 31) +
                fixedText("editor", 31) + countedText("diary") + emptyStatus());

  // A name longer than 31 bytes cannot be sent.
  TQNameArgs tooLong{sampleHeader(), pool.text(std::string(32, 'n'))};
  bool ok = true;
  encodeWith(xdr_TQNameArgs6, &tooLong, &ok);
  EXPECT_FALSE(ok);
}

TEST(DefsProcedures, UserAndGroupRecordsHaveNoHeader) {
  SessionScope scope;
  Pool pool;
  TQCreateGroupArgs group{{pool.text("client-7"), pool.text("admin"), pool.text("pw")},
                          pool.text("Support"),
                          12,
                          TQ_GROUP_TYPE_CHANGE};
  EXPECT_EQ(encodeWith(xdr_TQCreateGroupArgs6, &group),
            countedText("client-7") + countedText("admin") + countedText("pw") +
                countedText("Support") + words({12, 2}));

  TQCreateUserArgs user{{pool.text("client-7"), pool.text("admin"), pool.text("pw")},
                        pool.text("jdoe"),
                        pool.text("initial"),
                        pool.text("jdoe@example.invalid"),
                        ids(pool, {3, 4})};
  TQCreateUserArgs back;
  roundTrip(xdr_TQCreateUserArgs6, &user, &back);
  EXPECT_EQ(str(back.prefix.hostName), "client-7");
  EXPECT_EQ(str(back.userName), "jdoe");
  EXPECT_EQ(str(back.emailAddress), "jdoe@example.invalid");
  EXPECT_EQ(back.groupIds.internalIdList[1], 4u);
  releaseWith(xdr_TQCreateUserArgs6, &back);
}

TEST(DefsProcedures, ActiveLinkStoreAndFetch) {
  SessionScope scope;
  Pool pool;
  TQSetActiveLinkArgs set{};
  set.header = sampleHeader();
  set.name = pool.text("Open dialog");
  set.changedMask = 0x7FF;
  set.newName = pool.text("Open lookup");
  set.order = 500;
  set.schema = pool.text("Tickets");
  set.groups = ids(pool, {0, 3});
  set.executeMask = 0x1001;
  set.controlField = 536870950;
  set.focusField = 7;
  set.enable = 1;
  set.query = fieldEquals(pool, 7, "Open");
  set.actions = everyActiveLinkAction(pool);
  set.elseActions = everyActiveLinkAction(pool);
  set.common.helpText = pool.text("help");
  setText(set.common.owner, "jdoe");
  TQSetActiveLinkArgs setBack;
  roundTrip(xdr_TQSetActiveLinkArgs6, &set, &setBack);
  EXPECT_EQ(str(setBack.newName), "Open lookup");
  EXPECT_EQ(setBack.executeMask, 0x1001u);
  EXPECT_EQ(setBack.controlField, 536870950u);
  EXPECT_EQ(setBack.elseActions.numItems, 17u);
  EXPECT_STREQ(setBack.common.owner, "jdoe");
  EXPECT_EQ(str(setBack.common.changeDiary), "");
  EXPECT_EQ(setBack.header.cacheId, 17);
  releaseWith(xdr_TQSetActiveLinkArgs6, &setBack);

  TQGetActiveLinkResult got{};
  got.header = sampleHeader();
  got.order = 10;
  setText(got.schema, "Tickets");
  got.groups = ids(pool, {1});
  got.enable = 1;
  got.query = fieldEquals(pool, 8, "x");
  got.actions = everyActiveLinkAction(pool);
  got.common.changed = 42;
  setText(got.common.lastChanged, "editor");
  TQGetActiveLinkResult gotBack;
  const Bytes wire = roundTrip(xdr_TQGetActiveLinkResult6, &got, &gotBack);
  EXPECT_STREQ(gotBack.schema, "Tickets");
  EXPECT_EQ(gotBack.actions.actionList[8].u.methodCall.methodList.numItems, 2u);
  EXPECT_EQ(gotBack.elseActions.numItems, 0u);
  EXPECT_EQ(gotBack.common.changed, 42);
  EXPECT_STREQ(gotBack.common.lastChanged, "editor");
  // The operation hands the lists over to its caller, who releases them with
  // the library's routines; then nothing is left for the record.
  FreeTQActiveLinkActionList(&gotBack.actions, 0);
  releaseWith(xdr_TQGetActiveLinkResult6, &gotBack);

  expectEveryCutFails<TQGetActiveLinkResult, xdr_TQGetActiveLinkResult6>(wire);
}

TEST(DefsProcedures, FieldFilterSchemaAndEscalationResults) {
  SessionScope scope;
  Pool pool;
  TQGetFieldResult field{};
  field.header = sampleHeader();
  setText(field.fieldName, "Priority");
  field.mapping.fieldType = TQ_FIELD_MAPPING_JOIN;
  field.mapping.u.join = {0, 536870913};
  field.dataType = TQ_DATA_TYPE_ENUM;
  field.option = 2;
  field.createMode = 1;
  field.defaultValue.dataType = TQ_DATA_TYPE_ENUM;
  field.defaultValue.u.enumVal = 1;
  field.permissions = {1, pool.array<TQPermissionStruct>(1)};
  field.permissions.permissionList[0] = {3, TQ_PERMISSIONS_VIEW};
  field.limit.dataType = TQ_DATA_TYPE_ENUM;
  field.limit.u.enumLimits = {2, pool.array<TQNameType>(2)};
  setText(field.limit.u.enumLimits.nameList[1], "High");
  field.displays = {props(pool), 1, pool.array<TQDisplayInstanceStruct>(1)};
  field.displays.dInstanceList[0] = {536870912, props(pool)};
  TQGetFieldResult fieldBack;
  const Bytes fieldWire = roundTrip(xdr_TQGetFieldResult6, &field, &fieldBack);
  EXPECT_STREQ(fieldBack.fieldName, "Priority");
  EXPECT_EQ(fieldBack.mapping.u.join.realId, 536870913u);
  EXPECT_EQ(fieldBack.option, 2u);
  EXPECT_EQ(fieldBack.defaultValue.u.enumVal, 1u);
  EXPECT_EQ(fieldBack.permissions.permissionList[0].groupId, 3u);
  EXPECT_STREQ(fieldBack.limit.u.enumLimits.nameList[1], "High");
  EXPECT_EQ(fieldBack.displays.dInstanceList[0].vui, 536870912u);
  releaseWith(xdr_TQGetFieldResult6, &fieldBack);
  expectEveryCutFails<TQGetFieldResult, xdr_TQGetFieldResult6>(fieldWire);

  TQGetFilterResult filter{};
  filter.header = sampleHeader();
  filter.order = 1000;
  setText(filter.schema, "Tickets");
  filter.operations = 31;
  filter.enable = 1;
  filter.actions = everyFilterAction(pool);
  filter.elseActions = everyFilterAction(pool);
  TQGetFilterResult filterBack;
  const Bytes filterWire = roundTrip(xdr_TQGetFilterResult6, &filter, &filterBack);
  EXPECT_EQ(filterBack.order, 1000u);
  EXPECT_EQ(filterBack.operations, 31u);
  EXPECT_EQ(filterBack.elseActions.actionList[0].u.notify.fieldIdList.numItems, 3u);
  releaseWith(xdr_TQGetFilterResult6, &filterBack);
  expectEveryCutFails<TQGetFilterResult, xdr_TQGetFilterResult6>(filterWire);

  TQGetSchemaResult schema{};
  schema.header = sampleHeader();
  schema.schema.schemaType = TQ_SCHEMA_JOIN;
  setText(schema.schema.u.join.memberA, "A");
  setText(schema.schema.u.join.memberB, "B");
  schema.adminGroups = ids(pool, {5});
  schema.indexes = {1, pool.array<TQIndexStruct>(1)};
  schema.indexes.indexList[0].numFields = 1;
  schema.indexes.indexList[0].fieldIds[0] = 8;
  TQGetSchemaResult schemaBack;
  roundTrip(xdr_TQGetSchemaResult6, &schema, &schemaBack);
  EXPECT_STREQ(schemaBack.schema.u.join.memberB, "B");
  EXPECT_EQ(schemaBack.adminGroups.internalIdList[0], 5u);
  EXPECT_EQ(schemaBack.indexes.indexList[0].fieldIds[0], 8u);
  releaseWith(xdr_TQGetSchemaResult6, &schemaBack);

  TQCreateEscalationArgs escalation{};
  escalation.header = sampleHeader();
  escalation.name = pool.text("Overdue");
  escalation.time.escalationTmType = TQ_ESCALATION_TYPE_TIMEMARK;
  escalation.time.u.date = {1, 2, 4, 30};
  escalation.schema = pool.text("Tickets");
  escalation.enable = 1;
  escalation.actions = everyFilterAction(pool);
  TQCreateEscalationArgs escalationBack;
  roundTrip(xdr_TQCreateEscalationArgs6, &escalation, &escalationBack);
  EXPECT_EQ(escalationBack.time.u.date.minute, 30u);
  EXPECT_EQ(str(escalationBack.schema), "Tickets");
  EXPECT_EQ(escalationBack.actions.numItems, 8u);
  releaseWith(xdr_TQCreateEscalationArgs6, &escalationBack);
}

TEST(DefsProcedures, ContainerRecordsCarryCountedLabels) {
  SessionScope scope;
  Pool pool;
  TQGetContainerResult got{};
  got.header = sampleHeader();
  got.groups = {1, pool.array<TQPermissionStruct>(1)};
  got.groups.permissionList[0] = {1, 2};
  got.ownerObj.type = TQ_CONTAINER_OWNER_SCHEMA;
  setText(got.ownerObj.ownerName, "Tickets");
  got.label = pool.text("Guide label");
  got.labelLength = 11;
  got.description = pool.text("Long description");
  got.descriptionLength = 16;
  got.type = 2;
  got.references = references(pool);
  TQGetContainerResult back;
  const Bytes wire = roundTrip(xdr_TQGetContainerResult6, &got, &back);
  EXPECT_EQ(back.labelLength, 11u);
  EXPECT_EQ(str(back.label), "Guide label");
  EXPECT_EQ(back.descriptionLength, 16u);
  EXPECT_STREQ(back.ownerObj.ownerName, "Tickets");
  EXPECT_EQ(back.references.referenceList[1].u.extRef.permittedGroups.numItems, 3u);
  releaseWith(xdr_TQGetContainerResult6, &back);
  expectEveryCutFails<TQGetContainerResult, xdr_TQGetContainerResult6>(wire);

  TQGetListContainerArgs list{};
  list.header = sampleHeader();
  list.changedSince = 10;
  int32_t types[] = {1, 2};
  list.types = {2, types};
  list.attributes = 1;
  list.owner.type = TQ_CONTAINER_OWNER_ALL;
  EXPECT_EQ(encodeWith(xdr_TQGetListContainerArgs6, &list),
            header6() + words({10, 2, 1, 2, 1, 1}) + fixedText("", 31));
}

// Chunks are counted texts: while the session's no-conversion byte is set
// they pass byte for byte, even between different character sets.
TEST(DefsProcedures, ChunksPassUnconvertedDuringTransfers) {
  SessionScope scope(5, 4);
  scope.session.noConversion = 1;
  const std::string packed("\x00\x01\xFF\x93\xFA\x80 tail", 10);
  std::string chunk = packed;
  TQGetEntryBLOBResult blob{
      sampleHeader(), -7, chunk.data(), static_cast<uint32_t>(chunk.size()), 1, {}};
  const Bytes wire = encodeWith(xdr_TQGetEntryBLOBResult6, &blob);
  EXPECT_EQ(wire, encodeWith(xdr_TQCallHeader6, &blob.header) + words({0xFFFFFFF9u}) +
                      countedText(packed) + words({1}) + emptyStatus());
  TQGetEntryBLOBResult back;
  ASSERT_TRUE(decodeWith(xdr_TQGetEntryBLOBResult6, wire, &back));
  EXPECT_EQ(back.continuation, -7);
  ASSERT_EQ(back.chunkLength, packed.size());
  EXPECT_EQ(std::string(back.chunk, back.chunkLength), packed);
  EXPECT_EQ(back.complete, 1);
  releaseWith(xdr_TQGetEntryBLOBResult6, &back);

  Pool pool;
  TQImportArgs import{};
  import.header = sampleHeader();
  import.items = {1, pool.array<TQStructItemStruct>(1)};
  import.items.structItemList[0].type = TQ_STRUCT_ITEM_FILTER;
  setText(import.items.structItemList[0].name, "F");
  import.chunk = chunk.data();
  import.chunkLength = static_cast<uint32_t>(chunk.size());
  import.lastChunk = 1;
  import.responseSize = 20000;
  import.continuation = 3;
  import.serverHandle = 99;
  TQImportArgs importBack;
  roundTrip(xdr_TQImportArgs6, &import, &importBack);
  EXPECT_EQ(std::string(importBack.chunk, importBack.chunkLength), packed);
  EXPECT_EQ(importBack.serverHandle, 99u);
  EXPECT_EQ(importBack.lastChunk, 1);
  releaseWith(xdr_TQImportArgs6, &importBack);
}

TEST(DefsProcedures, MultipleEntriesAndListWithFieldsResults) {
  SessionScope scope;
  Pool pool;
  TQBoolean flags[3] = {1, 0, 1};
  TQFieldValueStruct values[2] = {{1, charValue(pool, "00001")}, {7, intValue(2)}};
  TQFieldValueList lists[2] = {{2, values}, {0, nullptr}};
  TQGetMultipleEntriesResult multiple{sampleHeader(), {3, flags}, {2, lists}, 2, 2, {}};
  TQGetMultipleEntriesResult back;
  roundTrip(xdr_TQGetMultipleEntriesResult6, &multiple, &back);
  EXPECT_EQ(back.exists.booleanList[1], 0);
  EXPECT_EQ(str(back.values.valueListList[0].fieldValueList[0].value.u.charVal), "00001");
  EXPECT_EQ(back.valuesPerEntry, 2);
  releaseWith(xdr_TQGetMultipleEntriesResult6, &back);

  TQEntryIdType id;
  setText(id, "000000000000042");
  TQEntryListFieldValueStruct row{{1, &id}, &lists[0]};
  TQGetListEntryWithFieldsResult withFields{sampleHeader(), {1, &row}, 40, -1, 2, {}};
  TQGetListEntryWithFieldsResult rowsBack;
  const Bytes wire = roundTrip(xdr_TQGetListEntryWithFieldsResult6, &withFields, &rowsBack);
  EXPECT_EQ(rowsBack.numMatches, 40u);
  EXPECT_EQ(rowsBack.unused, -1);
  EXPECT_STREQ(rowsBack.entries.entryList[0].entryId.entryIdList[0], "000000000000042");
  EXPECT_EQ(rowsBack.entries.entryList[0].fieldValues->fieldValueList[1].value.u.intVal, 2);
  FreeTQEntryListFieldValueList(&rowsBack.entries, 0);
  releaseWith(xdr_TQGetListEntryWithFieldsResult6, &rowsBack);
  expectEveryCutFails<TQGetListEntryWithFieldsResult, xdr_TQGetListEntryWithFieldsResult6>(wire);
}

// Every version-6 procedure is in the table with routines, and both of its
// records carry an empty (zeroed) record there and back: the table pairs
// each procedure with routines that accept its defaults.
TEST(DefsProcedures, EveryVersion6ProcedureCarriesAnEmptyRecord) {
  SessionScope scope;
  std::vector<uint32_t> numbers;
  for (uint32_t n = 1; n <= 78; ++n)
    numbers.push_back(n);
  for (uint32_t n : {80u, 90u, 91u, 92u, 93u})
    numbers.push_back(n);
  for (uint32_t number : numbers) {
    SCOPED_TRACE(number);
    const TQProcedure* procedure = tqFindProcedure(TQProgram::kServer, 6, number);
    ASSERT_NE(procedure, nullptr);
    ASSERT_TRUE(tqHasRoutines(*procedure));
    const std::pair<tqx::Proc, uint32_t> records[] = {
        {procedure->xdrArgs, procedure->argSize}, {procedure->xdrResult, procedure->resultSize}};
    for (const auto& [routine, size] : records) {
      std::unique_ptr<void, decltype(&std::free)> empty(std::calloc(1, size), &std::free);
      std::unique_ptr<void, decltype(&std::free)> back(std::calloc(1, size), &std::free);
      std::vector<char> wire(4096);
      XDR out;
      xdrmem_create(&out, wire.data(), static_cast<u_int>(wire.size()), XDR_ENCODE);
      ASSERT_TRUE(routine(&out, empty.get()));
      const u_int length = xdr_getpos(&out);
      xdr_destroy(&out);
      XDR in;
      xdrmem_create(&in, wire.data(), length, XDR_DECODE);
      EXPECT_TRUE(routine(&in, back.get()));
      EXPECT_EQ(xdr_getpos(&in), length);
      xdr_destroy(&in);
      XDR freer{};
      freer.x_op = XDR_FREE;
      routine(&freer, back.get());
    }
  }
}

}  // namespace
