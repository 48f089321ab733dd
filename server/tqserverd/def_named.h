// The get, set, create, delete and list handlers of the definitions that
// are known by a name of their own kind (menus, filters, active links,
// escalations, containers), written once for every kind. A kind is a traits
// structure:
//
//   struct K {
//     using Record = the get procedure's result record (what is stored);
//     static constexpr DefKind kKind;
//     static constexpr auto kRoutine;      // the record's XDR routine
//     // moves the attributes a set or create gives into the record, in
//     // changed-mask order; false (with a status) refuses the call
//     template <class A> static bool take(Call&, A& args, Record&, Changes&);
//     static std::string schemaOf(const Record&);  // "" for unbound kinds
//   };
#pragma once

#include "def_common.h"
#include "def_record.h"
#include "form_store.h"
#include "store.h"

namespace tqsd {

// A definition that serves a form must name one the server has.
template <class K>
bool servesKnownForm(Call& call, const typename K::Record& record) {
  const std::string form = K::schemaOf(record);
  if (form.empty() || formStore().find(form) != nullptr) return true;
  refuseUnknown(call, DefKind::kSchema, form);
  return false;
}

template <class K, class A>
void getNamed(Call& call, A& args, typename K::Record& result) {
  const std::string name = textOf(args.name);
  std::optional<DefRow> row = findDef(K::kKind, "", name);
  if (!row) return refuseUnknown(call, K::kKind, name);
  OwnedRecord<typename K::Record> stored(K::kRoutine);
  stored.decode(row->body);
  answerRecord(*stored, result);
}

template <class K, class A>
void setNamed(Call& call, A& args, TQStatusResult&) {
  Transaction transaction(store());
  const std::string name = textOf(args.name);
  std::optional<DefRow> row = findDef(K::kKind, "", name);
  if (!row) return refuseUnknown(call, K::kKind, name);
  OwnedRecord<typename K::Record> stored(K::kRoutine);
  stored.decode(row->body);
  Changes changes(args.changedMask);
  DefRow next = *row;
  if (changes.renames()) {
    next.name = textOf(args.newName);
    if (!checkNewName(call, next.name)) return;
    if (next.name != name && findDef(K::kKind, "", next.name)) {
      return refuseExisting(call, K::kKind, next.name);
    }
  }
  if (!K::take(call, args, *stored, changes) || !servesKnownForm<K>(call, *stored)) return;
  takeCommon(call, changes, args.common, stored->common, false);
  next.schema = K::schemaOf(*stored);
  next.changed = nowOf(call);
  next.body = stored.encode();
  updateDef(K::kKind, "", name, next);
  transaction.commit();
}

template <class K, class A>
void createNamed(Call& call, A& args, TQStatusResult&) {
  Transaction transaction(store());
  DefRow row;
  row.name = textOf(args.name);
  if (!checkNewName(call, row.name)) return;
  if (findDef(K::kKind, "", row.name)) return refuseExisting(call, K::kKind, row.name);
  OwnedRecord<typename K::Record> stored(K::kRoutine);
  Changes changes = Changes::all();
  if (!K::take(call, args, *stored, changes) || !servesKnownForm<K>(call, *stored)) return;
  takeCommon(call, changes, args.common, stored->common, true);
  row.schema = K::schemaOf(*stored);
  row.changed = nowOf(call);
  row.body = stored.encode();
  insertDef(K::kKind, "", row);
  transaction.commit();
}

template <class K>
void deleteNamed(Call& call, TQNameArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  const std::string name = textOf(args.name);
  if (!findDef(K::kKind, "", name)) return refuseUnknown(call, K::kKind, name);
  removeDef(K::kKind, "", name);
  transaction.commit();
}

template <class K>
void listNamed(Call& call, TQSinceArgs& args, TQNameListResult& result) {
  answerNames(call, listDefs(K::kKind, "", args.changedSince), &result.names);
}

template <class K>
void listNamedOfSchema(Call& call, TQSchemaSinceArgs& args, TQNameListResult& result) {
  answerNames(call, listDefs(K::kKind, "", args.changedSince, textOf(args.schema)), &result.names);
}

// The definitions of a kind that serve a form follow it: a rename writes
// the new form name into each stored record, a delete removes them with the
// form (as its fields, views and entries go), so no stored definition names
// a form the server lacks.
template <class K>
void followFormRename(const std::string& from, const std::string& to) {
  for (const DefRow& listed : listDefs(K::kKind, "", 0, from)) {
    std::optional<DefRow> row = findDef(K::kKind, "", listed.name);
    if (!row) continue;
    OwnedRecord<typename K::Record> stored(K::kRoutine);
    stored.decode(row->body);
    setName(stored->schema, to);
    DefRow next = *row;
    next.schema = to;
    next.body = stored.encode();
    updateDef(K::kKind, "", row->name, next);
  }
}

template <class K>
void followFormDelete(const std::string& form) {
  for (const DefRow& listed : listDefs(K::kKind, "", 0, form))
    removeDef(K::kKind, "", listed.name);
}

// The two for every kind that serves a form (filters, active links and
// escalations); inside the caller's transaction.
void renameServedForm(const std::string& from, const std::string& to);
void removeServedForm(const std::string& form);

}  // namespace tqsd
