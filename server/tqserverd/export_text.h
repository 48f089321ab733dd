// The export text of the reference server: the definitions of an export as
// one text that this server alone writes and reads back.
//
//   tqserverd export 1
//   definition filter
//   name Close requests
//   scope                      (the form of a field or view; empty otherwise)
//   id 536870913               (fields and views only)
//   schema Demo:Request        (the form a filter, active link or escalation serves)
//   changed 1765432100
//   record 0000000100000002 ...
//   record ...
//   end
//
// One block per definition, in the order written; a form's block comes
// before those of its fields and views. Texts are escaped so that every
// block stays one line per attribute: a backslash is "\\", a line end
// "\n", and any other byte below 0x20 or from 0x7f on "\xHH". The record
// is the definition's record as it is kept (its wire encoding), in
// hexadecimal, 32 bytes a line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "def_store.h"

namespace tqsd {

struct ExportedDef {
  DefKind kind = DefKind::kSchema;
  std::string scope;
  DefRow row;
};

std::string writeExportText(const std::vector<ExportedDef>& defs);

// Reads a text written by writeExportText; on a fault nothing and *error
// says what, with the line ("line 7: ...").
std::optional<std::vector<ExportedDef>> readExportText(const std::string& text, std::string* error);

// The word of a kind in the text ("filter", ...).
const char* kindWord(DefKind kind);

}  // namespace tqsd
