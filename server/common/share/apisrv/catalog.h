// The message catalog "tqmessages.cat": a POSIX message catalog looked up as
// <dir>/<lang>/tqmessages.cat, loaded once per process and kept open for the
// life of the process. A failed load is tried again at the next lookup.
#pragma once

#include <nl_types.h>

#include <cstdint>
#include <string>
#include <vector>

inline const nl_catd kTQNoCatalog = reinterpret_cast<nl_catd>(-1);

// The catalog a lookup reads: the program's own catalog when it stored a
// descriptor in TQCatalogDescriptor, else the library's catalog, loaded on
// first use. kTQNoCatalog when no catalog can be opened. Nothing has to be
// closed afterwards.
nl_catd tqCatalogAcquire();

// Message number of set setNumber from catalog, or dflt when the catalog is
// kTQNoCatalog or has no (or an empty) text for it. The text stays valid as
// long as the catalog is open.
const char* tqCatalogFetch(nl_catd catalog, int32_t setNumber, int32_t number, const char* dflt);

// The locale name that chooses the catalog language: the first non-empty of
// LC_ALL, LC_MESSAGES and LANG; "" when none is set.
std::string tqCatalogLocaleName();

// The catalog languages to try for a locale name, in order: the language with
// its encoding and modifier removed ("de_DE.UTF-8" -> "de_DE"), its first two
// letters, then "en". English, C and POSIX locales, and names with characters
// that cannot be part of a language folder name, give only "en".
std::vector<std::string> tqCatalogLanguages(const std::string& localeName);

// The folders that hold the per-language catalog folders, in order: the
// folder named by TQCATALOGDIR when it is set, else the installed data folder
// and then the build tree.
std::vector<std::string> tqCatalogDirectories();
