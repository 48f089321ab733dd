// Procedures 34 (export) and 35 (import), version 6: the definitions of an
// item list as the export text of export_text.h, and such a text loaded
// back.
//
// Export answers the text in chunks behind the 8-byte prefix of attachment
// data (packed flag, data length; network byte order), packed with tqpack.
// The continuation value is the offset of the next chunk in the prefixed
// stream; the text is written anew for every request, the same each time,
// so the server keeps nothing between them. A chunk is at most the client's
// reply size (within 4096 to 1000000) less 500 bytes. An item that names no
// definition is refused (9361) with the completion flag set.
//
// Import collects the chunks of one text under a server handle that the
// first answer gives out, and loads the text when the last chunk arrives:
// a packed text is unpacked, a plain one loses its terminator. Item types:
//   1 a form with its fields and views   2 a form and its fields
//   3 a form's views                     5 filter   6 active link
//   8 character menu                     9 escalation
// Every other type names nothing this server keeps. An import with items
// loads only the blocks they name; without items, every block. A text that
// does not read, or a record that does not decode, is refused (9363, with
// the line or the definition) and nothing is changed; otherwise every
// definition is created or replaced in one transaction.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "chunk_reply.h"
#include "def_common.h"
#include "def_record.h"
#include "export_text.h"
#include "form_defs.h"
#include "form_store.h"
#include "handler_families.h"
#include "rpc/procedure_records_defs.h"
#include "rpc/xdr_proc.h"
#include "share/apisrv/messages.h"
#include "store.h"
#include "tqpack.h"

namespace tqsd {
namespace {

constexpr uint32_t kPrefixSize = kChunkPrefixSize;
// Limits of the imports in progress: the size of one text, and how many
// texts may be open at once (the oldest gives way).
constexpr size_t kLargestImport = size_t{64} << 20;
constexpr size_t kOpenImports = 8;

enum ItemType : uint32_t {
  kItemSchema = 1,
  kItemSchemaDefn = 2,
  kItemSchemaView = 3,
  kItemFilter = 5,
  kItemActiveLink = 6,
  kItemCharMenu = 8,
  kItemEscalation = 9,
};

std::optional<DefKind> namedKind(uint32_t type) {
  switch (type) {
    case kItemFilter:
      return DefKind::kFilter;
    case kItemActiveLink:
      return DefKind::kActiveLink;
    case kItemCharMenu:
      return DefKind::kCharMenu;
    case kItemEscalation:
      return DefKind::kEscalation;
    default:
      return std::nullopt;
  }
}

bool isFormType(uint32_t type) {
  return type == kItemSchema || type == kItemSchemaDefn || type == kItemSchemaView;
}

ExportedDef withBody(DefKind kind, const std::string& scope, const DefRow& listed) {
  std::optional<DefRow> row = findDef(kind, scope, listed.name);
  return ExportedDef{kind, scope, row ? *row : listed};
}

// The definitions of one item, in the order of the text; false after error
// 9361.
bool collect(Call& call, const TQStructItemStruct& item, std::vector<ExportedDef>* out) {
  const std::string name = nameOf(item.name);
  if (std::optional<DefKind> kind = namedKind(item.type)) {
    std::optional<DefRow> row = findDef(*kind, "", name);
    if (!row) {
      refuseUnknown(call, *kind, name);
      return false;
    }
    out->push_back(ExportedDef{*kind, "", *row});
    return true;
  }
  if (!isFormType(item.type)) {
    addStatus(call, TQ_MSG_ERROR, kMsgNoSuchDefinition,
              ("item type " + std::to_string(item.type) + " '" + name + "'").c_str());
    return false;
  }
  std::optional<DefRow> schema = findDef(DefKind::kSchema, "", name);
  if (!schema) {
    refuseUnknown(call, DefKind::kSchema, name);
    return false;
  }
  if (item.type != kItemSchemaView) out->push_back(ExportedDef{DefKind::kSchema, "", *schema});
  if (item.type != kItemSchemaView) {
    for (const DefRow& field : listDefs(DefKind::kField, name, 0))
      out->push_back(withBody(DefKind::kField, name, field));
  }
  if (item.type != kItemSchemaDefn) {
    for (const DefRow& view : listDefs(DefKind::kView, name, 0))
      out->push_back(withBody(DefKind::kView, name, view));
  }
  return true;
}

// The prefixed stream of an export text: packed when tqpack can pack it.
std::string prefixedStream(const std::string& text) {
  unsigned char* packed = nullptr;
  uint32_t packedLength = 0;
  std::string stream;
  if (PackBufferToBuffer(0, text.data(), static_cast<uint32_t>(text.size()), &packed,
                         &packedLength) == TQPACK_OK &&
      packed != nullptr) {
    stream = chunkPrefix(true, packedLength) +
             std::string(reinterpret_cast<const char*>(packed), packedLength);
  } else {
    stream = chunkPrefix(false, static_cast<uint32_t>(text.size())) + text;
  }
  std::free(packed);
  return stream;
}

void exportDefinitions(Call& call, TQExportArgs& args, TQExportResult& result) {
  result.complete = 1;
  if (!withinItemLimit(call, args.items.numItems)) return;
  std::vector<ExportedDef> defs;
  for (uint32_t i = 0; i < args.items.numItems; ++i) {
    if (!collect(call, args.items.structItemList[i], &defs)) return;
  }
  const std::string stream = prefixedStream(writeExportText(defs));
  if (args.continuation < 0 || static_cast<size_t>(args.continuation) >= stream.size()) {
    addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition,
              ("continuation " + std::to_string(args.continuation) + " is not 0 to " +
               std::to_string(stream.size() - 1))
                  .c_str());
    return;
  }
  const size_t room = chunkRoom(args.responseSize);
  const size_t offset = static_cast<size_t>(args.continuation);
  const size_t length = std::min(room, stream.size() - offset);
  if (!answerChunk(call, stream.substr(offset, length), &result.chunk, &result.chunkLength)) {
    return;
  }
  result.continuation = static_cast<int32_t>(offset + length);
  result.complete = offset + length == stream.size() ? 1 : 0;
}

// ------------------------------------------------------------------ import

struct OpenImport {
  uint64_t opened;
  std::string data;
};

std::map<uint32_t, OpenImport>& openImports() {
  static std::map<uint32_t, OpenImport> imports;
  return imports;
}

// Whether the items of an import name a block.
bool named(const TQStructItemList& items, const ExportedDef& def) {
  if (items.numItems == 0) return true;
  for (uint32_t i = 0; i < items.numItems; ++i) {
    const TQStructItemStruct& item = items.structItemList[i];
    const std::string name = nameOf(item.name);
    if (std::optional<DefKind> kind = namedKind(item.type)) {
      if (*kind == def.kind && name == def.row.name) return true;
    } else if (item.type == kItemSchema) {
      if ((def.kind == DefKind::kSchema && name == def.row.name) || def.scope == name) return true;
    }
  }
  return false;
}

template <class R>
bool decodes(bool_t (*routine)(XDR*, R*), const std::string& body) {
  try {
    OwnedRecord<R> record(routine);
    record.decode(body);
    return true;
  } catch (const StoreFailure&) {
    return false;
  }
}

bool recordDecodes(const ExportedDef& def) {
  switch (def.kind) {
    case DefKind::kSchema:
      return decodes(xdr_TQGetSchemaResult6, def.row.body);
    case DefKind::kField:
      return decodes(xdr_TQGetFieldResult6, def.row.body);
    case DefKind::kView:
      return decodes(xdr_TQGetVUIResult6, def.row.body);
    case DefKind::kCharMenu:
      return decodes(xdr_TQGetCharMenuResult6, def.row.body);
    case DefKind::kFilter:
      return decodes(xdr_TQGetFilterResult6, def.row.body);
    case DefKind::kActiveLink:
      return decodes(xdr_TQGetActiveLinkResult6, def.row.body);
    case DefKind::kEscalation:
      return decodes(xdr_TQGetEscalationResult6, def.row.body);
    case DefKind::kContainer:
      return decodes(xdr_TQGetContainerResult6, def.row.body);
  }
  return false;
}

std::optional<int64_t> formKeyOf(const std::string& name) {
  Query q(store(), "SELECT form FROM forms WHERE name = ?");
  q.bind(name);
  if (!q.next()) return std::nullopt;
  return q.integer(0);
}

// Creates or replaces one definition; false after an error status.
bool load(Call& call, const ExportedDef& def) {
  const bool scoped = def.kind == DefKind::kField || def.kind == DefKind::kView;
  std::optional<int64_t> formKey;
  if (def.kind == DefKind::kSchema) {
    formKey = formKeyOf(def.row.name);
    if (!formKey) {
      Query(store(), "INSERT INTO forms (name) VALUES (?)").bind(def.row.name).run();
      formKey = sqlite3_last_insert_rowid(store().handle());
    }
  } else if (scoped) {
    formKey = formKeyOf(def.scope);
    if (!formKey || !def.row.id) {
      addStatus(
          call, TQ_MSG_ERROR, kMsgBadDefinition,
          (defLabel(def.kind, def.row.name) + ": no form '" + def.scope + "' or no id").c_str());
      return false;
    }
  }
  std::optional<DefRow> existing =
      scoped ? findDefById(def.kind, def.scope, *def.row.id) : findDef(def.kind, "", def.row.name);
  if (existing) {
    updateDef(def.kind, scoped ? def.scope : "", existing->name, def.row);
  } else {
    insertDef(def.kind, scoped ? def.scope : "", def.row);
  }
  if (def.kind == DefKind::kField) {
    OwnedRecord<TQGetFieldResult> record(xdr_TQGetFieldResult6);
    record.decode(def.row.body);
    syncFieldRow(*formKey, *def.row.id, *record);
  }
  return true;
}

void loadText(Call& call, const TQStructItemList& items, std::string data) {
  if (data.size() >= kPrefixSize && static_cast<unsigned char>(data[0]) == 0x1F &&
      static_cast<unsigned char>(data[1]) == 0x8C) {
    unsigned char* text = nullptr;
    uint32_t length = 0;
    const int32_t rc =
        UnpackBufferToBuffer(data.data(), static_cast<uint32_t>(data.size()), &text, &length);
    std::string unpacked =
        text != nullptr ? std::string(reinterpret_cast<char*>(text), length) : "";
    std::free(text);
    if (rc != TQPACK_OK) {
      addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition,
                ("the packed text does not unpack (code " + std::to_string(rc) + ")").c_str());
      return;
    }
    data = std::move(unpacked);
  }
  while (!data.empty() && data.back() == '\0')
    data.pop_back();
  std::string error;
  std::optional<std::vector<ExportedDef>> defs = readExportText(data, &error);
  if (!defs) {
    addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition, error.c_str());
    return;
  }
  for (const ExportedDef& def : *defs) {
    if (named(items, def) && !recordDecodes(def)) {
      addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition,
                (defLabel(def.kind, def.row.name) + ": the record does not decode").c_str());
      return;
    }
  }
  Transaction transaction(store());
  for (const ExportedDef& def : *defs) {
    if (named(items, def) && !load(call, def)) return;
  }
  addMissingFormDefinitions(nowOf(call));
  transaction.commit();
  reloadForms();
}

void importDefinitions(Call& call, TQImportArgs& args, TQImportResult& result) {
  static uint32_t lastHandle = 0;
  static uint64_t opened = 0;
  std::map<uint32_t, OpenImport>& imports = openImports();
  uint32_t handle = args.serverHandle;
  auto found = imports.find(handle);
  if (handle == 0 || found == imports.end()) {
    if (handle != 0 || args.continuation != 0) {
      addErrorNumber(call, kMsgBadDefinition, handle);
      return;
    }
    if (imports.size() >= kOpenImports) {
      auto oldest = std::min_element(imports.begin(), imports.end(), [](auto& a, auto& b) {
        return a.second.opened < b.second.opened;
      });
      imports.erase(oldest);
    }
    do {
      handle = ++lastHandle;
    } while (handle == 0 || imports.count(handle) != 0);
    found = imports.emplace(handle, OpenImport{++opened, {}}).first;
  }
  std::string& data = found->second.data;
  if (args.chunkLength > kLargestImport - data.size()) {
    imports.erase(found);
    addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition, "the import text is too large");
    return;
  }
  if (args.chunkLength > 0) data.append(args.chunk, args.chunkLength);
  result.serverHandle = handle;
  result.continuation = static_cast<int32_t>(data.size());
  if (args.lastChunk == 0) return;
  std::string text = std::move(data);
  imports.erase(found);
  loadText(call, args.items, std::move(text));
}

constexpr Handler kHandlers[] = {
    handler<TQExportArgs, TQExportResult, exportDefinitions>(34),
    handler<TQImportArgs, TQImportResult, importDefinitions>(35),
};

}  // namespace

std::span<const Handler> exchangeHandlers() {
  return kHandlers;
}

}  // namespace tqsd
