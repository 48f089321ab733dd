// The recorded operations (log_rows.h): the walks of the argument and
// result records in parameter order, and the row of every operation with
// its command code. An operation whose records have a walk here is written
// to the command log in full, prints its outputs in the result log and can
// be replayed; an operation without one writes its header block alone.
#include "api/log_rows.h"

#include <cstring>

#include "api/apiprint.h"
#include "api/log_command.h"
#include "api/log_replay.h"
#include "api/log_walk.h"
#include "api/log_walk_actions.h"
#include "api/log_walk_fields.h"
#include "api/tqb_def_family.h"
#include "api/tqb_list_chunks.h"
#include "api/tqb_plans.h"

// ------------------------------------------------- argument records

template <class V>
void tqWalkArgs(V& v, TQGetEntryArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.entryId);
  tqWalk(v, a.fieldIds);
  v.hidden(a.valuesWanted, 1);
}

template <class V>
void tqWalkArgs(V& v, TQSetEntryArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.entryId);
  tqWalk(v, a.fieldValues);
  v.i32("Get Time:", a.getTime);
  v.u32("Option:", a.option);
}

template <class V>
void tqWalkArgs(V& v, TQCreateEntryArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.fieldValues);
}

template <class V>
void tqWalkArgs(V& v, TQDeleteEntryArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.entryId);
  v.u32("Option:", a.option);
}

template <class V>
void tqWalkArgs(V& v, TQMergeEntryArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.fieldValues);
  v.u32("Merge Type:", a.mergeType);
}

template <class V>
void tqWalkArgs(V& v, TQGetListEntryArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.qualifier);
  tqWalk(v, a.fields);
  tqWalk(v, a.sort);
  v.u32("Max Retrieve:", a.maxRetrieve);
  v.hidden(a.countWanted, 1);
}

template <class V>
void tqWalkArgs(V& v, TQGetEntryStatisticsArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.qualifier);
  tqWalk(v, a.target);
  v.u32("Statistic:", a.statistic);
  tqWalk(v, a.groupBy);
}

template <class V>
void tqWalkArgs(V& v, TQGetMultipleEntriesArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.entryIds);
  tqWalk(v, a.fieldIds);
  v.hidden(a.valuesWanted, 1);
}

template <class V>
void tqWalkArgs(V& v, TQGetServerInfoArgs& a) {
  tqWalk(v, a.requests);
}

template <class V>
void tqWalkArgs(V& v, TQSetServerInfoArgs& a) {
  tqWalk(v, a.info);
}

template <class V>
void tqWalkArgs(V& v, TQGetFullTextInfoArgs& a) {
  v.numbers("FullText Info Request List", a.requests.numItems, a.requests.requestList);
}

template <class V>
void tqWalkArgs(V&, TQHeaderArgs&) {}

// A get of a definition asks for every part: what the caller left out is
// not recorded, and a replay shows it all.
template <class V>
void tqWalkArgs(V& v, TQNameMaskArgs& a) {
  v.text("Name:", a.name);
  v.hidden(a.mask, UINT32_MAX);
}

template <class V>
void tqWalkArgs(V& v, TQNameArgs& a) {
  v.text("Name:", a.name);
}

template <class V>
void tqWalkArgs(V& v, TQNameOptionArgs& a) {
  v.text("Name:", a.name);
  v.u32("Option:", a.option);
}

template <class V>
void tqWalkArgs(V& v, TQSinceArgs& a) {
  v.i32("Changed Since:", a.changedSince);
}

template <class V>
void tqWalkArgs(V& v, TQSchemaSinceArgs& a) {
  v.text("Schema:", a.schema);
  v.i32("Changed Since:", a.changedSince);
}

template <class V>
void tqWalkArgs(V& v, TQGetListSchemaArgs& a) {
  v.i32("Changed Since:", a.changedSince);
  v.text("Name:", a.name);
  v.u32("List Type:", a.listType);
}

template <class V>
void tqWalkArgs(V& v, TQFieldMaskArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("Field Id:", a.fieldId);
  v.hidden(a.mask, UINT32_MAX);
}

template <class V>
void tqWalkArgs(V& v, TQDeleteFieldArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("Field Id:", a.fieldId);
  v.u32("Option:", a.option);
}

template <class V>
void tqWalkArgs(V& v, TQGetListFieldArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("Field Type:", a.typeMask);
  v.i32("Changed Since:", a.changedSince);
}

template <class V>
void tqWalkArgs(V& v, TQDeleteMultipleFieldsArgs& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.fieldIds);
  v.u32("Option:", a.option);
}

template <class V>
void tqWalkArgs(V& v, TQViewArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("VUI Id:", a.viewId);
}

template <class V>
void tqWalkArgs(V& v, TQViewMaskArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("VUI Id:", a.viewId);
  v.hidden(a.mask, UINT32_MAX);
}

template <class V>
void tqWalkArgs(V& v, TQGetListGroupArgs& a) {
  v.fixed("User:", a.user, sizeof a.user);
}

template <class V>
void tqWalkArgs(V& v, TQGetListUserArgs& a) {
  v.u32("List Type:", a.listType);
}

template <class V>
void tqWalkArgs(V& v, TQGetListSQLArgs& a) {
  v.text("SQL Command:", a.sqlCommand);
  v.u32("Max Retrieve:", a.maxRetrieve);
  v.hidden(a.countWanted, 1);
}

template <class V>
void tqWalkArgs(V& v, TQExecuteProcessArgs& a) {
  v.text("Command:", a.command);
  v.hidden(a.wait, 1);
}

template <class V>
void tqWalk(V& v, TQStructItemList& x) {
  v.list("Structure Item", x.numItems, x.structItemList, [&](TQStructItemStruct& item) {
    v.record("Structure Item Struct:", [&] {
      v.u32("Type:", item.type);
      v.fixed("Name:", item.name, sizeof item.name);
    });
  });
}

// Where an export's data goes and an import's comes from.
constexpr const char* kTQFileNameLine = "****** FILE NAME ******";

template <class V>
void tqWalkArgs(V& v, TQExportRecord& a) {
  tqWalk(v, a.items);
  v.text("Display Tag:", a.displayTag);
  v.marker(kTQFileNameLine);
}

template <class V>
void tqWalkArgs(V& v, TQImportRecord& a) {
  tqWalk(v, a.items);
  v.marker(kTQFileNameLine);
}

template <class V>
void tqWalkArgs(V& v, TQGetEntryBLOBRecord& a) {
  v.text("Schema:", a.schema);
  tqWalk(v, a.entryId);
  v.u32("Field Id:", a.fieldId);
  v.u32("Location Type:", a.loc.locationType);
  if (a.loc.locationType == TQ_LOC_FILENAME) {
    v.text("File Name:", a.loc.u.filename);
  } else if (a.loc.locationType == TQ_LOC_BUFFER) {
    v.u32("Buffer Size:", a.loc.u.buf.bufferSize);
  }
}

// The common attributes a get returns.
template <class V>
void tqWalkArgs(V& v, TQCommonAttributes& c) {
  v.text("Help Text:", c.helpText);
  v.i32("Timestamp:", c.changed);
  v.fixed("Owner:", c.owner, sizeof c.owner);
  v.fixed("Last Changed:", c.lastChanged, sizeof c.lastChanged);
  v.text("Change Diary:", c.changeDiary);
}

namespace {

// The common attributes a create sends.
template <class V>
void walkCommon(V& v, TQCommonChanges& c) {
  v.text("Help Text:", c.helpText);
  v.fixed("Owner:", c.owner, sizeof c.owner);
  v.text("Change Diary:", c.changeDiary);
}

// The common attributes a set may change: the bits from `bit` on.
template <class V>
void walkChangedCommon(V& v, uint32_t& mask, uint32_t bit, TQCommonChanges& c) {
  v.changed("Help Text:", mask, bit, [&] { v.text("Help Text:", c.helpText); });
  v.changed("Owner:", mask, bit << 1, [&] { v.fixed("Owner:", c.owner, sizeof c.owner); });
  v.changed("Change Diary:", mask, bit << 2, [&] { v.text("Change Diary:", c.changeDiary); });
}

// The qualification and the two action lists of a filter or escalation;
// with a changed mask (a set), each from `bit` on when the mask says so.
template <class V, class R>
void walkRule(V& v, R& r) {
  tqWalk(v, r.query);
  tqWalk(v, r.actions);
  tqWalk(v, r.elseActions);
}

template <class V, class R>
void walkChangedRule(V& v, uint32_t& mask, uint32_t bit, R& r) {
  v.changed("Query:", mask, bit, [&] { tqWalk(v, r.query); });
  v.changed("Actions:", mask, bit << 1, [&] { tqWalk(v, r.actions); });
  v.changed("Else:", mask, bit << 2, [&] { tqWalk(v, r.elseActions); });
}

}  // namespace

template <class V>
void tqWalkArgs(V& v, TQSetSchemaArgs& a) {
  v.text("Name:", a.name);
  v.changed("New Name:", a.changedMask, 1u << 0, [&] { v.text("New Name:", a.newName); });
  v.changed("Schema:", a.changedMask, 1u << 1, [&] { tqWalk(v, a.schema); });
  v.changed("Groups:", a.changedMask, 1u << 2, [&] { tqWalk(v, a.groups); });
  v.changed("Admin Groups:", a.changedMask, 1u << 3, [&] { tqWalk(v, a.adminGroups); });
  v.changed("Query List:", a.changedMask, 1u << 4, [&] { tqWalk(v, a.queryListFields); });
  v.changed("Sort List:", a.changedMask, 1u << 5, [&] { tqWalk(v, a.sort); });
  v.changed("Index List:", a.changedMask, 1u << 6, [&] { tqWalk(v, a.indexes); });
  walkChangedCommon(v, a.changedMask, 1u << 7, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQCreateSchemaArgs& a) {
  v.text("Name:", a.name);
  tqWalk(v, a.schema);
  tqWalk(v, a.groups);
  tqWalk(v, a.adminGroups);
  tqWalk(v, a.queryListFields);
  tqWalk(v, a.sort);
  tqWalk(v, a.indexes);
  walkCommon(v, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQCreateFilterArgs& a) {
  v.text("Name:", a.name);
  v.u32("Order:", a.order);
  v.text("Schema:", a.schema);
  v.u32("Operations:", a.operations);
  v.u32("Enable:", a.enable);
  walkRule(v, a);
  walkCommon(v, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQSetFilterArgs& a) {
  v.text("Name:", a.name);
  v.changed("New Name:", a.changedMask, 1u << 0, [&] { v.text("New Name:", a.newName); });
  v.changed("Order:", a.changedMask, 1u << 1, [&] { v.u32("Order:", a.order); });
  v.changed("Schema:", a.changedMask, 1u << 2, [&] { v.text("Schema:", a.schema); });
  v.changed("Operations:", a.changedMask, 1u << 3, [&] { v.u32("Operations:", a.operations); });
  v.changed("Enable:", a.changedMask, 1u << 4, [&] { v.u32("Enable:", a.enable); });
  walkChangedRule(v, a.changedMask, 1u << 5, a);
  walkChangedCommon(v, a.changedMask, 1u << 8, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQCreateEscalationArgs& a) {
  v.text("Name:", a.name);
  tqWalk(v, a.time);
  v.text("Schema:", a.schema);
  v.u32("Enable:", a.enable);
  walkRule(v, a);
  walkCommon(v, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQSetEscalationArgs& a) {
  v.text("Name:", a.name);
  v.changed("New Name:", a.changedMask, 1u << 0, [&] { v.text("New Name:", a.newName); });
  v.changed("Time:", a.changedMask, 1u << 1, [&] { tqWalk(v, a.time); });
  v.changed("Schema:", a.changedMask, 1u << 2, [&] { v.text("Schema:", a.schema); });
  v.changed("Enable:", a.changedMask, 1u << 3, [&] { v.u32("Enable:", a.enable); });
  walkChangedRule(v, a.changedMask, 1u << 4, a);
  walkChangedCommon(v, a.changedMask, 1u << 7, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQCreateCharMenuArgs& a) {
  v.text("Name:", a.name);
  v.u32("Refresh Code:", a.refreshCode);
  tqWalk(v, a.menu);
  walkCommon(v, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQSetCharMenuArgs& a) {
  v.text("Name:", a.name);
  v.changed("New Name:", a.changedMask, 1u << 0, [&] { v.text("New Name:", a.newName); });
  v.changed("Refresh Code:", a.changedMask, 1u << 1,
            [&] { v.u32("Refresh Code:", a.refreshCode); });
  v.changed("Menu:", a.changedMask, 1u << 2, [&] { tqWalk(v, a.menu); });
  walkChangedCommon(v, a.changedMask, 1u << 3, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQCreateFieldArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("Field Id:", a.fieldId);
  v.boolean("Reserved Id:", a.reservedId);
  v.text("Field Name:", a.fieldName);
  tqWalk(v, a.mapping);
  v.u32("Data Type:", a.dataType);
  v.u32("Option:", a.option);
  v.u32("Create Mode:", a.createMode);
  tqWalk(v, a.defaultValue);
  tqWalk(v, a.permissions);
  tqWalk(v, a.limit);
  tqWalk(v, a.displays);
  walkCommon(v, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQSetFieldArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("Field Id:", a.fieldId);
  v.changed("Field Name:", a.changedMask, 1u << 0, [&] { v.text("Field Name:", a.fieldName); });
  v.changed("Option:", a.changedMask, 1u << 1, [&] { v.u32("Option:", a.option); });
  v.changed("Create Mode:", a.changedMask, 1u << 2, [&] { v.u32("Create Mode:", a.createMode); });
  v.changed("Default Value:", a.changedMask, 1u << 3, [&] { tqWalk(v, a.defaultValue); });
  v.changed("Permissions:", a.changedMask, 1u << 4, [&] { tqWalk(v, a.permissions); });
  v.changed("Limits:", a.changedMask, 1u << 5, [&] { tqWalk(v, a.limit); });
  v.changed("Displays:", a.changedMask, 1u << 6, [&] { tqWalk(v, a.displays); });
  walkChangedCommon(v, a.changedMask, 1u << 7, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQCreateVUIArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("VUI Id:", a.viewId);
  v.text("VUI Name:", a.viewName);
  tqWalk(v, a.props);
  walkCommon(v, a.common);
}

template <class V>
void tqWalkArgs(V& v, TQSetVUIArgs& a) {
  v.text("Schema:", a.schema);
  v.u32("VUI Id:", a.viewId);
  v.changed("VUI Name:", a.changedMask, 1u << 0, [&] { v.text("VUI Name:", a.viewName); });
  v.changed("Properties:", a.changedMask, 1u << 1, [&] { tqWalk(v, a.props); });
  walkChangedCommon(v, a.changedMask, 1u << 2, a.common);
}

// --------------------------------------------------- result records

template <class V>
void tqWalkResult(V& v, TQGetFieldResult& r) {
  v.fixed("Field name:", r.fieldName, sizeof r.fieldName);
  tqWalk(v, r.mapping);
  v.u32("Data type:", r.dataType);
  v.u32("Option:", r.option);
  v.u32("Create mode:", r.createMode);
  tqWalk(v, r.defaultValue);
  tqWalk(v, r.permissions);
  tqWalk(v, r.limit);
  tqWalk(v, r.displays);
  tqWalkArgs(v, r.common);
}

template <class V>
void tqWalkResult(V& v, TQGetVUIResult& r) {
  v.fixed("VUI name:", r.viewName, sizeof r.viewName);
  tqWalk(v, r.props);
  tqWalkArgs(v, r.common);
}

template <class V>
void tqWalkResult(V& v, TQGetEscalationResult& r) {
  tqWalk(v, r.time);
  v.fixed("Schema:", r.schema, sizeof r.schema);
  v.u32("Enable:", r.enable);
  walkRule(v, r);
  tqWalkArgs(v, r.common);
}

template <class V>
void tqWalkResult(V& v, TQGetCharMenuResult& r) {
  v.u32("Refresh Code:", r.refreshCode);
  tqWalk(v, r.menu);
  tqWalkArgs(v, r.common);
}

template <class V>
void tqWalkResult(V& v, TQGetListGroupResult& r) {
  v.list("Group Info", r.groups.numItems, r.groups.groupList, [&](TQGroupInfoStruct& g) {
    v.record("Group Info Struct:", [&] {
      v.u32("Group id:", g.groupId);
      v.u32("Group type:", g.groupType);
      tqWalk(v, g.groupName);
    });
  });
}

template <class V>
void tqWalkResult(V& v, TQGetListUserResult& r) {
  v.list("User Info", r.users.numItems, r.users.userList, [&](TQUserInfoStruct& u) {
    v.record("User Info Struct:", [&] {
      v.fixed("User name:", u.userName, sizeof u.userName);
      v.list("User License", u.licenseInfo.numItems, u.licenseInfo.licenseList,
             [&](TQUserLicenseStruct& l) {
               v.record("User License Struct:", [&] {
                 v.u32("License Tag:", l.licenseTag);
                 v.u32("License Type:", l.licenseType);
                 v.u32("Current License Type:", l.currentLicenseType);
               });
             });
      v.i32("Connect time:", u.connectTime);
      v.i32("Last access:", u.lastAccess);
      v.u32("Default Notify Mechanism:", u.defaultNotifyMech);
      v.text("Email address:", u.emailAddress);
    });
  });
}

template <class V>
void tqWalkResult(V& v, TQGetFilterResult& r) {
  v.u32("Order:", r.order);
  v.fixed("Schema:", r.schema, sizeof r.schema);
  v.u32("Operations:", r.operations);
  v.u32("Enable:", r.enable);
  walkRule(v, r);
  tqWalkArgs(v, r.common);
}

template <class V>
void tqWalkResult(V& v, TQGetSchemaResult& r) {
  tqWalk(v, r.schema);
  tqWalk(v, r.groups);
  tqWalk(v, r.adminGroups);
  tqWalk(v, r.queryListFields);
  tqWalk(v, r.sort);
  tqWalk(v, r.indexes);
  tqWalkArgs(v, r.common);
}

template <class V>
void tqWalkResult(V&, TQStatusResult&) {}

template <class V>
void tqWalkResult(V& v, TQGetEntryResult& r) {
  tqWalk(v, r.fieldValues);
}

template <class V>
void tqWalkResult(V& v, TQEntryIdResult& r) {
  v.fixed("Entry Id:", r.entryId, sizeof r.entryId);
}

template <class V>
void tqWalkResult(V& v, TQGetListEntryResult& r) {
  tqWalk(v, r.entries);
  v.u32("Number of matches:", r.numMatches);
}

template <class V>
void tqWalkResult(V& v, TQGetEntryStatisticsResult& r) {
  v.list("Statistics Result", r.results.numItems, r.results.resultList,
         [&](TQStatisticsResultStruct& item) {
           v.record("statistics results:", [&] {
             tqWalk(v, item.groupedBy);
             tqWalk(v, item.result);
           });
         });
}

template <class V>
void tqWalkResult(V& v, TQGetMultipleEntriesResult& r) {
  tqWalk(v, r.values);
}

template <class V>
void tqWalkResult(V& v, TQGetServerInfoResult& r) {
  tqWalk(v, r.info);
}

template <class V>
void tqWalkResult(V& v, TQNameListResult& r) {
  tqWalk(v, r.names);
}

template <class V>
void tqWalkResult(V& v, TQIdListResult& r) {
  tqWalk(v, r.ids);
}

template <class V>
void tqWalkResult(V& v, TQIdResult& r) {
  v.u32("Id:", r.id);
}

template <class V>
void tqWalkResult(V& v, TQVerifyUserResult& r) {
  v.boolean("Admin flag:", r.admin);
  v.boolean("Sub admin flag:", r.subAdmin);
  v.boolean("Customize flag:", r.customize);
}

template <class V>
void tqWalkResult(V& v, TQGetListSQLResult& r) {
  tqWalk(v, r.rows);
  v.u32("Number of matches:", r.numMatches);
}

template <class V>
void tqWalkResult(V& v, TQExecuteProcessResult& r) {
  v.i32("Return Status:", r.returnStatus);
  v.text("Process output:", r.output);
}

// ------------------------------------------------------------- rows

namespace {

template <class Args>
constexpr bool kArgsWalked = requires(TQCommandWriter& w, Args& a) {
  tqWalkArgs(w, a);
};
template <class Result>
constexpr bool kResultWalked = requires(TQResultPrinter& p, Result& r) {
  tqWalkResult(p, r);
};

template <class Args>
void writeArgs(TQCommandWriter& writer, void* args) {
  tqWalkArgs(writer, *static_cast<Args*>(args));
}

template <class Result>
void printResult(TQResultPrinter& printer, void* result) {
  tqWalkResult(printer, *static_cast<Result*>(result));
}

// Reads the arguments and sends them through the frame as they are (they
// passed the checks when they were recorded); the frame records the call
// as it does every call.
template <class Args, class Result>
uint32_t replayCall(TQLogReader& reader, const TQCallPlan* plan, TQControlStruct* control,
                    TQStatusList* status) {
  Args read{};
  tqWalkArgs(reader, read);
  uint32_t code = kTQFrameGoOn;
  if (reader.ok() && plan != nullptr) {
    code = tqFrameOperation<Args, Result>(
        *plan, control, status, [] {}, [] { return 0u; },
        [&](Args& args) {
          const TQCallHeader header = args.header;
          args = read;
          args.header = header;
        },
        [](Result&) {});
  }
  TQLogRelease release;
  tqWalkArgs(release, read);
  return code;
}

// The same for a call whose answers come in chunks: the loop asks for every
// answer, as the recorded call did, and each answer goes to the logs.
template <class Args, class Result>
uint32_t replayChunks(TQLogReader& reader, const TQCallPlan* plan, TQControlStruct* control,
                      TQStatusList* status) {
  Args read{};
  tqWalkArgs(reader, read);
  uint32_t code = kTQFrameGoOn;
  if (reader.ok() && plan != nullptr) {
    code = tqFrameRun(
        *plan, control, status, [] {}, [] { return 0u; },
        [&](TQSessionStruct* session) -> uint32_t {
          const TQChunkEnd end = tqChunkLoop<Args, Result>(
              *plan, session, control, status,
              [&](Args& args) {
                const TQCallHeader header = args.header;
                args = read;
                args.header = header;
              },
              [](Result&, bool) { return TQChunkStep::kMore; });
          return end.ok ? tqTopStatus(status) : uint32_t{TQ_RETURN_ERROR};
        });
  }
  TQLogRelease release;
  tqWalkArgs(release, read);
  return code;
}

// Reads the arguments of a call that is not performed again.
template <class Args>
uint32_t readOnly(TQLogReader& reader, const TQCallPlan*, TQControlStruct*, TQStatusList*) {
  Args read{};
  tqWalkArgs(reader, read);
  TQLogRelease release;
  tqWalkArgs(release, read);
  return kTQFrameGoOn;
}

using PlanOf = const TQCallPlan* (*)();

template <const TQCallPlan& P>
const TQCallPlan* planOf() {
  return &P;
}

template <TQDef M>
const TQCallPlan* defPlan() {
  return &tqDefPlan(M);
}

// A row of an operation that sends an argument record and gets a result
// record; either may lack a walk yet.
template <class Args, class Result>
TQRecordRow row(const char* name, const char* code, PlanOf plan) {
  TQRecordRow r{name, name, code, plan, nullptr, nullptr, nullptr};
  if constexpr (kArgsWalked<Args>) {
    r.write = &writeArgs<Args>;
    r.replay = &replayCall<Args, Result>;
  }
  if constexpr (kResultWalked<Result>) r.print = &printResult<Result>;
  return r;
}

// A row of an operation whose answers come in chunks.
template <class Args, class Result>
TQRecordRow chunked(const char* name, const char* code, PlanOf plan) {
  TQRecordRow r = row<Args, Result>(name, code, plan);
  r.replay = &replayChunks<Args, Result>;
  return r;
}

// A row of an operation whose command block is written in full and read
// back, but whose call is not performed again.
template <class Args>
TQRecordRow notReplayed(const char* name, const char* code) {
  return TQRecordRow{name, name, code, nullptr, &writeArgs<Args>, nullptr, &readOnly<Args>};
}

// A row of an operation whose command block is its header alone.
TQRecordRow named(const char* name, const char* code, const char* header = nullptr) {
  return TQRecordRow{name,   header != nullptr ? header : name, code, nullptr, nullptr, nullptr,
                     nullptr};
}

using D = TQDef;

// clang-format off
const TQRecordRow kRows[] = {
    named("TQInitialization", "init"),
    named("TQTermination", "term"),
    named("TQGetListServer", "svr"),
    named("TQLoadTQQualifierStruct", "lqs", "TQLoadQualifierStruct"),
    named("TQExpandCharMenu", "ec"),
    // written in full, read back but not performed again (their data is
    // not in the command log)
    notReplayed<TQExportRecord>("TQExport", "exp"),
    notReplayed<TQImportRecord>("TQImport", "imp"),
    notReplayed<TQGetEntryBLOBRecord>("TQGetEntryBLOB", "geb"),
    // entries
    row<TQGetEntryArgs, TQGetEntryResult>("TQGetEntry", "ge", planOf<kTQPlanGetEntry>),
    row<TQSetEntryArgs, TQStatusResult>("TQSetEntry", "se", planOf<kTQPlanSetEntry>),
    row<TQCreateEntryArgs, TQEntryIdResult>("TQCreateEntry", "ce", planOf<kTQPlanCreateEntry>),
    row<TQDeleteEntryArgs, TQStatusResult>("TQDeleteEntry", "de", planOf<kTQPlanDeleteEntry>),
    row<TQMergeEntryArgs, TQEntryIdResult>("TQMergeEntry", "me", planOf<kTQPlanMergeEntry>),
    chunked<TQGetListEntryArgs, TQGetListEntryResult>("TQGetListEntry", "gle", planOf<kTQPlanGetListEntry>),
    chunked<TQGetListEntryArgs, TQGetListEntryWithFieldsResult>("TQGetListEntryWithFields", "glewf", planOf<kTQPlanGetListEntryWithFields>),
    row<TQGetEntryStatisticsArgs, TQGetEntryStatisticsResult>("TQGetEntryStatistics", "stat", planOf<kTQPlanGetEntryStatistics>),
    chunked<TQGetMultipleEntriesArgs, TQGetMultipleEntriesResult>("TQGetMultipleEntries", "gme", planOf<kTQPlanGetMultipleEntries>),
    // the server
    row<TQGetServerInfoArgs, TQGetServerInfoResult>("TQGetServerInfo", "gsi", planOf<kTQPlanGetServerInfo>),
    row<TQSetServerInfoArgs, TQStatusResult>("TQSetServerInfo", "ssi", defPlan<D::kSetServerInfo>),
    row<TQGetServerInfoArgs, TQGetServerInfoResult>("TQGetServerStatistics", "gss", defPlan<D::kGetServerStatistics>),
    row<TQGetFullTextInfoArgs, TQGetFullTextInfoResult>("TQGetFullTextInfo", "gft", defPlan<D::kGetFullTextInfo>),
    row<TQSetFullTextInfoArgs, TQStatusResult>("TQSetFullTextInfo", "sft", defPlan<D::kSetFullTextInfo>),
    row<TQGetListSQLArgs, TQGetListSQLResult>("TQGetListSQL", "glsql", defPlan<D::kGetListSQL>),
    row<TQExecuteProcessArgs, TQExecuteProcessResult>("TQExecuteProcess", "proc", defPlan<D::kExecuteProcess>),
    row<TQHeaderArgs, TQVerifyUserResult>("TQVerifyUser", "ver", defPlan<D::kVerifyUser>),
    row<TQGetListGroupArgs, TQGetListGroupResult>("TQGetListGroup", "glg", defPlan<D::kGetListGroup>),
    row<TQGetListUserArgs, TQGetListUserResult>("TQGetListUser", "glu", defPlan<D::kGetListUser>),
    // schemas and fields
    row<TQNameMaskArgs, TQGetSchemaResult>("TQGetSchema", "gs", defPlan<D::kGetSchema>),
    row<TQSetSchemaArgs, TQStatusResult>("TQSetSchema", "ss", defPlan<D::kSetSchema>),
    row<TQCreateSchemaArgs, TQStatusResult>("TQCreateSchema", "cs", defPlan<D::kCreateSchema>),
    row<TQNameOptionArgs, TQStatusResult>("TQDeleteSchema", "ds", defPlan<D::kDeleteSchema>),
    row<TQGetListSchemaArgs, TQNameListResult>("TQGetListSchema", "gls", defPlan<D::kGetListSchema>),
    row<TQFieldMaskArgs, TQGetFieldResult>("TQGetField", "gsf", defPlan<D::kGetField>),
    row<TQSetFieldArgs, TQStatusResult>("TQSetField", "ssf", defPlan<D::kSetField>),
    row<TQCreateFieldArgs, TQIdResult>("TQCreateField", "csf", defPlan<D::kCreateField>),
    row<TQDeleteFieldArgs, TQStatusResult>("TQDeleteField", "dsf", defPlan<D::kDeleteField>),
    row<TQGetListFieldArgs, TQIdListResult>("TQGetListField", "glsf", defPlan<D::kGetListField>),
    row<TQDeleteMultipleFieldsArgs, TQStatusResult>("TQDeleteMultipleFields", "dmsf", defPlan<D::kDeleteMultipleFields>),
    row<TQNameArgs, TQNameListResult>("TQGetNameListForSchema", "gnls", defPlan<D::kGetNameListForSchema>),
    // character menus
    row<TQNameMaskArgs, TQGetCharMenuResult>("TQGetCharMenu", "gc", defPlan<D::kGetCharMenu>),
    row<TQSetCharMenuArgs, TQStatusResult>("TQSetCharMenu", "sc", defPlan<D::kSetCharMenu>),
    row<TQCreateCharMenuArgs, TQStatusResult>("TQCreateCharMenu", "cc", defPlan<D::kCreateCharMenu>),
    row<TQNameArgs, TQStatusResult>("TQDeleteCharMenu", "dc", defPlan<D::kDeleteCharMenu>),
    row<TQSinceArgs, TQNameListResult>("TQGetListCharMenu", "glc", defPlan<D::kGetListCharMenu>),
    // filters
    row<TQNameMaskArgs, TQGetFilterResult>("TQGetFilter", "gf", defPlan<D::kGetFilter>),
    row<TQSetFilterArgs, TQStatusResult>("TQSetFilter", "sf", defPlan<D::kSetFilter>),
    row<TQCreateFilterArgs, TQStatusResult>("TQCreateFilter", "cf", defPlan<D::kCreateFilter>),
    row<TQNameArgs, TQStatusResult>("TQDeleteFilter", "df", defPlan<D::kDeleteFilter>),
    row<TQSchemaSinceArgs, TQNameListResult>("TQGetListFilter", "glf", defPlan<D::kGetListFilter>),
    // active links
    row<TQNameMaskArgs, TQGetActiveLinkResult>("TQGetActiveLink", "gal", defPlan<D::kGetActiveLink>),
    row<TQSetActiveLinkArgs, TQStatusResult>("TQSetActiveLink", "sal", defPlan<D::kSetActiveLink>),
    row<TQCreateActiveLinkArgs, TQStatusResult>("TQCreateActiveLink", "cal", defPlan<D::kCreateActiveLink>),
    row<TQNameArgs, TQStatusResult>("TQDeleteActiveLink", "dal", defPlan<D::kDeleteActiveLink>),
    row<TQSchemaSinceArgs, TQNameListResult>("TQGetListActiveLink", "glal", defPlan<D::kGetListActiveLink>),
    // escalations
    row<TQNameMaskArgs, TQGetEscalationResult>("TQGetEscalation", "ges", defPlan<D::kGetEscalation>),
    row<TQSetEscalationArgs, TQStatusResult>("TQSetEscalation", "ses", defPlan<D::kSetEscalation>),
    row<TQCreateEscalationArgs, TQStatusResult>("TQCreateEscalation", "ces", defPlan<D::kCreateEscalation>),
    row<TQNameArgs, TQStatusResult>("TQDeleteEscalation", "des", defPlan<D::kDeleteEscalation>),
    row<TQSchemaSinceArgs, TQNameListResult>("TQGetListEscalation", "gles", defPlan<D::kGetListEscalation>),
    // views
    row<TQViewMaskArgs, TQGetVUIResult>("TQGetVUI", "gv", defPlan<D::kGetVUI>),
    row<TQSetVUIArgs, TQStatusResult>("TQSetVUI", "sv", defPlan<D::kSetVUI>),
    row<TQCreateVUIArgs, TQIdResult>("TQCreateVUI", "cv", defPlan<D::kCreateVUI>),
    row<TQViewArgs, TQStatusResult>("TQDeleteVUI", "dv", defPlan<D::kDeleteVUI>),
    row<TQSchemaSinceArgs, TQIdListResult>("TQGetListVUI", "glsv", defPlan<D::kGetListVUI>),
    // containers
    row<TQGetContainerArgs, TQGetContainerResult>("TQGetContainer", "gco", defPlan<D::kGetContainer>),
    row<TQSetContainerArgs, TQStatusResult>("TQSetContainer", "sco", defPlan<D::kSetContainer>),
    row<TQCreateContainerArgs, TQStatusResult>("TQCreateContainer", "cco", defPlan<D::kCreateContainer>),
    row<TQNameArgs, TQStatusResult>("TQDeleteContainer", "dco", defPlan<D::kDeleteContainer>),
    row<TQGetListContainerArgs, TQGetListContainerResult>("TQGetListContainer", "glco", defPlan<D::kGetListContainer>),
    // support files, users and groups (codes of this library's own)
    row<TQGetSupportFileArgs, TQGetSupportFileResult>("TQGetSupportFile", "gsup", defPlan<D::kGetSupportFile>),
    row<TQSetSupportFileArgs, TQStatusResult>("TQSetSupportFile", "ssup", defPlan<D::kSetSupportFile>),
    row<TQSetSupportFileArgs, TQStatusResult>("TQCreateSupportFile", "csup", defPlan<D::kCreateSupportFile>),
    row<TQSupportFileArgs, TQStatusResult>("TQDeleteSupportFile", "dsup", defPlan<D::kDeleteSupportFile>),
    row<TQGetListSupportFileArgs, TQIdListResult>("TQGetListSupportFile", "glsup", defPlan<D::kGetListSupportFile>),
    named("TQCreateUser", "cu"),
    named("TQDeleteUser", "du"),
    named("TQCreateGroup", "cg"),
    named("TQDeleteGroup", "dg"),
    named("TQEndUserSession", "eus"),
};
// clang-format on

}  // namespace

const TQRecordRow* tqRecordRowByName(const char* name) {
  if (name == nullptr) return nullptr;
  for (const TQRecordRow& r : kRows) {
    if (std::strcmp(r.name, name) == 0) return &r;
  }
  return nullptr;
}

const TQRecordRow* tqRecordRowByCode(const char* code) {
  if (code == nullptr) return nullptr;
  for (const TQRecordRow& r : kRows) {
    if (std::strcmp(r.code, code) == 0) return &r;
  }
  return nullptr;
}
