// The seed file of the forms (--forms FILE): a line-based text that declares
// forms, their fields and the value names of enumerated fields.
//
//   # a comment; blank lines are skipped too
//   form NAME                    a new form; NAME is the rest of the line
//                                (1 to 30 bytes, may hold blanks)
//   field ID TYPE NAME [LABEL]   a field of the form above. ID: 1 to 2147483647,
//                                once per form. TYPE: integer, real, char, diary,
//                                enum, time, bitmask, decimal or ulong. NAME: one
//                                word of 1 to 30 bytes. LABEL: the default view
//                                label, the rest of the line (1 to 254 bytes);
//                                the NAME when absent
//   value NAME                   the next value name of the enum field above
//                                (index 0, 1, ...); NAME is the rest of the line
//                                (1 to 30 bytes)
//
// Words are separated by blanks or tabs; leading and trailing blanks of a line
// are ignored. Field lines may come in any id order. Every form needs at least
// one field and every enum field at least one value. Fields with a role of
// their own (form_store.h) must have its type: 1, 2, 5, 15 and 102 char,
// 3 and 6 time, 7 enum.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "form_store.h"

namespace tqsd {

// Reads a seed file. On failure returns false with "FILE:LINE: reason" (or
// "FILE: reason" when the file cannot be read) in *error.
bool readSeedFile(const std::string& path, std::vector<FormDef>* forms, std::string* error);

// The seed-file name of a data type ("char", ...); "type N" for a type that
// no field can have.
std::string dataTypeName(uint32_t dataType);

}  // namespace tqsd
