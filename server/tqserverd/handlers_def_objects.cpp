// The definitions known by a name of their own kind: character menus
// (procedures 16 to 20), filters (21 to 25), active links (38 to 42),
// escalations (48 to 52) and containers (74 to 78), each kind a traits
// row of the one road of def_named.h; and the support files (68 to 72).
//
// Filters, active links and escalations serve a form and are listed by it;
// a list with an empty form name lists every one of the kind.
#include <cstdlib>

#include "def_named.h"
#include "handler_families.h"
#include "rpc/xdr_proc.h"
#include "share/apisrv/error.h"

namespace tqsd {
namespace {

struct MenuKind {
  using Record = TQGetCharMenuResult;
  static constexpr DefKind kKind = DefKind::kCharMenu;
  static constexpr auto kRoutine = xdr_TQGetCharMenuResult6;
  template <class A>
  static bool take(Call&, A& a, Record& r, Changes& c) {
    c.take(a.refreshCode, r.refreshCode);
    c.take(a.menu, r.menu);
    return true;
  }
  static std::string schemaOf(const Record&) { return ""; }
};

struct FilterKind {
  using Record = TQGetFilterResult;
  static constexpr DefKind kKind = DefKind::kFilter;
  static constexpr auto kRoutine = xdr_TQGetFilterResult6;
  template <class A>
  static bool take(Call&, A& a, Record& r, Changes& c) {
    c.take(a.order, r.order);
    c.take(a.schema, r.schema);
    c.take(a.operations, r.operations);
    c.take(a.enable, r.enable);
    c.take(a.query, r.query);
    c.take(a.actions, r.actions);
    c.take(a.elseActions, r.elseActions);
    return true;
  }
  static std::string schemaOf(const Record& r) { return nameOf(r.schema); }
};

struct ActiveLinkKind {
  using Record = TQGetActiveLinkResult;
  static constexpr DefKind kKind = DefKind::kActiveLink;
  static constexpr auto kRoutine = xdr_TQGetActiveLinkResult6;
  template <class A>
  static bool take(Call&, A& a, Record& r, Changes& c) {
    c.take(a.order, r.order);
    c.take(a.schema, r.schema);
    c.take(a.groups, r.groups);
    c.take(a.executeMask, r.executeMask);
    c.take(a.controlField, r.controlField);
    c.take(a.focusField, r.focusField);
    c.take(a.enable, r.enable);
    c.take(a.query, r.query);
    c.take(a.actions, r.actions);
    c.take(a.elseActions, r.elseActions);
    return true;
  }
  static std::string schemaOf(const Record& r) { return nameOf(r.schema); }
};

struct EscalationKind {
  using Record = TQGetEscalationResult;
  static constexpr DefKind kKind = DefKind::kEscalation;
  static constexpr auto kRoutine = xdr_TQGetEscalationResult6;
  template <class A>
  static bool take(Call&, A& a, Record& r, Changes& c) {
    c.take(a.time, r.time);
    c.take(a.schema, r.schema);
    c.take(a.enable, r.enable);
    c.take(a.query, r.query);
    c.take(a.actions, r.actions);
    c.take(a.elseActions, r.elseActions);
    return true;
  }
  static std::string schemaOf(const Record& r) { return nameOf(r.schema); }
};

struct ContainerKind {
  using Record = TQGetContainerResult;
  static constexpr DefKind kKind = DefKind::kContainer;
  static constexpr auto kRoutine = xdr_TQGetContainerResult6;
  template <class A>
  static bool take(Call&, A& a, Record& r, Changes& c) {
    c.take(a.groups, r.groups);
    c.take(a.adminGroups, r.adminGroups);
    c.take(a.ownerObj, r.ownerObj);
    if (c.next()) {
      std::swap(a.label, r.label);
      std::swap(a.labelLength, r.labelLength);
    }
    if (c.next()) {
      std::swap(a.description, r.description);
      std::swap(a.descriptionLength, r.descriptionLength);
    }
    c.take(a.type, r.type);
    // The remove flag asks to drop the references that point at nothing;
    // this server keeps references as they are given.
    c.take(a.references, r.references);
    return true;
  }
  static std::string schemaOf(const Record&) { return ""; }
};

// The containers of the given types (all for an empty list) owned as asked
// (any owner for type 0).
void listContainers(Call& call, TQGetListContainerArgs& args, TQGetListContainerResult& result) {
  std::vector<TQContainerInfo> found;
  for (const DefRow& row : listDefs(DefKind::kContainer, "", args.changedSince)) {
    std::optional<DefRow> full = findDef(DefKind::kContainer, "", row.name);
    if (!full) continue;
    OwnedRecord<TQGetContainerResult> stored(xdr_TQGetContainerResult6);
    stored.decode(full->body);
    bool typeWanted = args.types.numItems == 0;
    for (uint32_t i = 0; i < args.types.numItems && args.types.type != nullptr; ++i) {
      if (static_cast<uint32_t>(args.types.type[i]) == stored->type) typeWanted = true;
    }
    const bool ownerWanted = args.owner.type == 0 ||
                             (args.owner.type == stored->ownerObj.type &&
                              nameOf(args.owner.ownerName) == nameOf(stored->ownerObj.ownerName));
    if (!typeWanted || !ownerWanted) continue;
    TQContainerInfo info{};
    setName(info.name, row.name);
    info.type = stored->type;
    info.owner = stored->ownerObj;
    found.push_back(info);
  }
  if (found.empty()) return;
  auto* list = static_cast<TQContainerInfo*>(std::calloc(found.size(), sizeof(TQContainerInfo)));
  if (list == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  std::copy(found.begin(), found.end(), list);
  result.containers.conInfoList = list;
  result.containers.numItems = static_cast<uint32_t>(found.size());
}

// ----------------------------------------------------------- support files

std::string supportLabel(uint32_t type, const char* name, uint32_t id, uint32_t fileId) {
  return "type " + std::to_string(type) + " of '" + textOf(name) + "' id " + std::to_string(id) +
         " file " + std::to_string(fileId);
}

void getSupportFile(Call& call, TQGetSupportFileArgs& args, TQGetSupportFileResult& result) {
  Query q(store(),
          "SELECT changed, contents FROM support_files "
          "WHERE file_type = ? AND name = ? AND id = ? AND file_id = ?");
  q.bind(int64_t{args.fileType}).bind(textOf(args.name)).bind(int64_t{args.id});
  q.bind(int64_t{args.fileId});
  if (!q.next()) {
    const std::string what = supportLabel(args.fileType, args.name, args.id, args.fileId);
    return addStatus(call, TQ_MSG_ERROR, kMsgNoSupportFile, what.c_str());
  }
  result.changed = static_cast<TQTimestamp>(q.integer(0));
  if (args.wanted == 0) return;
  const std::string contents = q.bytes(1);
  result.contents = static_cast<char*>(std::malloc(contents.size() + 1));
  if (result.contents == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  std::memcpy(result.contents, contents.data(), contents.size());
  result.contents[contents.size()] = '\0';
  result.contentsLength = static_cast<uint32_t>(contents.size());
}

void setSupportFile(Call& call, TQSetSupportFileArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  Query(store(),
        "INSERT OR REPLACE INTO support_files (file_type, name, id, file_id, changed, contents) "
        "VALUES (?, ?, ?, ?, ?, ?)")
      .bind(int64_t{args.fileType})
      .bind(textOf(args.name))
      .bind(int64_t{args.id})
      .bind(int64_t{args.fileId})
      .bind(int64_t{nowOf(call)})
      .bind(std::string(args.contents == nullptr ? "" : args.contents,
                        args.contents == nullptr ? 0 : args.contentsLength))
      .run();
  transaction.commit();
}

void deleteSupportFile(Call& call, TQSupportFileArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  Query(store(),
        "DELETE FROM support_files WHERE file_type = ? AND name = ? AND id = ? AND file_id = ?")
      .bind(int64_t{args.fileType})
      .bind(textOf(args.name))
      .bind(int64_t{args.id})
      .bind(int64_t{args.fileId})
      .run();
  if (sqlite3_changes(store().handle()) == 0) {
    const std::string what = supportLabel(args.fileType, args.name, args.id, args.fileId);
    return addStatus(call, TQ_MSG_ERROR, kMsgNoSupportFile, what.c_str());
  }
  transaction.commit();
}

void listSupportFiles(Call& call, TQGetListSupportFileArgs& args, TQIdListResult& result) {
  Query q(store(),
          "SELECT file_id FROM support_files "
          "WHERE file_type = ? AND name = ? AND id = ? AND changed >= ? ORDER BY file_id");
  q.bind(int64_t{args.fileType}).bind(textOf(args.name)).bind(int64_t{args.id});
  q.bind(int64_t{args.changedSince});
  std::vector<uint32_t> ids;
  while (q.next())
    ids.push_back(static_cast<uint32_t>(q.integer(0)));
  answerIds(call, ids, &result.ids);
}

// Deleting an active link drops the support files (reports) it holds.
void deleteActiveLink(Call& call, TQNameArgs& args, TQStatusResult& result) {
  deleteNamed<ActiveLinkKind>(call, args, result);
  if (call.status->numItems != 0) return;
  Transaction transaction(store());
  Query(store(), "DELETE FROM support_files WHERE file_type = 1 AND name = ?")
      .bind(textOf(args.name))
      .run();
  transaction.commit();
}

template <class K>
using GetOf = typename K::Record;

constexpr Handler kHandlers[] = {
    handler<TQNameMaskArgs, GetOf<MenuKind>, getNamed<MenuKind, TQNameMaskArgs>>(16),
    handler<TQSetCharMenuArgs, TQStatusResult, setNamed<MenuKind, TQSetCharMenuArgs>>(17),
    handler<TQCreateCharMenuArgs, TQStatusResult, createNamed<MenuKind, TQCreateCharMenuArgs>>(
        18),
    handler<TQNameArgs, TQStatusResult, deleteNamed<MenuKind>>(19),
    handler<TQSinceArgs, TQNameListResult, listNamed<MenuKind>>(20),
    handler<TQNameMaskArgs, GetOf<FilterKind>, getNamed<FilterKind, TQNameMaskArgs>>(21),
    handler<TQSetFilterArgs, TQStatusResult, setNamed<FilterKind, TQSetFilterArgs>>(22),
    handler<TQCreateFilterArgs, TQStatusResult, createNamed<FilterKind, TQCreateFilterArgs>>(23),
    handler<TQNameArgs, TQStatusResult, deleteNamed<FilterKind>>(24),
    handler<TQSchemaSinceArgs, TQNameListResult, listNamedOfSchema<FilterKind>>(25),
    handler<TQNameMaskArgs, GetOf<ActiveLinkKind>, getNamed<ActiveLinkKind, TQNameMaskArgs>>(38),
    handler<TQSetActiveLinkArgs, TQStatusResult, setNamed<ActiveLinkKind, TQSetActiveLinkArgs>>(
        39),
    handler<TQCreateActiveLinkArgs, TQStatusResult,
            createNamed<ActiveLinkKind, TQCreateActiveLinkArgs>>(40),
    handler<TQNameArgs, TQStatusResult, deleteActiveLink>(41),
    handler<TQSchemaSinceArgs, TQNameListResult, listNamedOfSchema<ActiveLinkKind>>(42),
    handler<TQNameMaskArgs, GetOf<EscalationKind>, getNamed<EscalationKind, TQNameMaskArgs>>(48),
    handler<TQSetEscalationArgs, TQStatusResult, setNamed<EscalationKind, TQSetEscalationArgs>>(
        49),
    handler<TQCreateEscalationArgs, TQStatusResult,
            createNamed<EscalationKind, TQCreateEscalationArgs>>(50),
    handler<TQNameArgs, TQStatusResult, deleteNamed<EscalationKind>>(51),
    handler<TQSchemaSinceArgs, TQNameListResult, listNamedOfSchema<EscalationKind>>(52),
    handler<TQGetContainerArgs, GetOf<ContainerKind>, getNamed<ContainerKind, TQGetContainerArgs>>(
        74),
    handler<TQSetContainerArgs, TQStatusResult, setNamed<ContainerKind, TQSetContainerArgs>>(75),
    handler<TQCreateContainerArgs, TQStatusResult,
            createNamed<ContainerKind, TQCreateContainerArgs>>(76),
    handler<TQNameArgs, TQStatusResult, deleteNamed<ContainerKind>>(77),
    handler<TQGetListContainerArgs, TQGetListContainerResult, listContainers>(78),
    handler<TQGetSupportFileArgs, TQGetSupportFileResult, getSupportFile>(68),
    handler<TQSetSupportFileArgs, TQStatusResult, setSupportFile>(69),
    handler<TQSetSupportFileArgs, TQStatusResult, setSupportFile>(70),
    handler<TQSupportFileArgs, TQStatusResult, deleteSupportFile>(71),
    handler<TQGetListSupportFileArgs, TQIdListResult, listSupportFiles>(72),
};

}  // namespace

void renameServedForm(const std::string& from, const std::string& to) {
  followFormRename<FilterKind>(from, to);
  followFormRename<ActiveLinkKind>(from, to);
  followFormRename<EscalationKind>(from, to);
}

void removeServedForm(const std::string& form) {
  followFormDelete<FilterKind>(form);
  followFormDelete<ActiveLinkKind>(form);
  followFormDelete<EscalationKind>(form);
}

std::span<const Handler> definitionObjectHandlers() {
  return kHandlers;
}

}  // namespace tqsd
