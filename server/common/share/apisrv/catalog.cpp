// Loading and reading the message catalog. The catalog is process-wide: one
// lock serialises the load, and the loaded flag is read without the lock
// first so that lookups after the load cost no locking.
#include "share/apisrv/catalog.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "tqlink_services.h"

extern "C" {
intptr_t TQCatalogDescriptor = TQ_CATALOG_DESCRIPTOR_NONE;
}

namespace {

constexpr const char* kCatalogFile = "tqmessages.cat";
constexpr const char* kDefaultLanguage = "en";
constexpr size_t kMaxLanguageLength = 32;

std::atomic<bool> catalogLoaded{false};
std::mutex catalogLock;
nl_catd catalogHandle = kTQNoCatalog;

// catopen and catgets set errno on failure; a lookup must not disturb the
// error that its caller is about to report.
struct ErrnoKeeper {
  int saved = errno;
  ~ErrnoKeeper() { errno = saved; }
};

const char* environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

bool isEnglishOrNeutral(const std::string& language) {
  if (language.find("English") != std::string::npos) return true;
  if (strcasecmp(language.c_str(), "enu") == 0) return true;
  return language == "C" || language == "POSIX";
}

bool isLanguageCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

bool loadCatalog() {
  for (const std::string& language : tqCatalogLanguages(tqCatalogLocaleName())) {
    for (const std::string& dir : tqCatalogDirectories()) {
      const std::string path = dir + "/" + language + "/" + kCatalogFile;
      nl_catd catalog = catopen(path.c_str(), 0);
      if (catalog != kTQNoCatalog) {
        catalogHandle = catalog;
        return true;
      }
    }
  }
  return false;
}

bool openCatalog() {
  if (catalogLoaded.load(std::memory_order_acquire)) return true;
  try {
    std::lock_guard<std::mutex> guard(catalogLock);
    if (catalogLoaded.load(std::memory_order_relaxed)) return true;
    if (!loadCatalog()) return false;
    catalogLoaded.store(true, std::memory_order_release);
    return true;
  } catch (...) {
    // Out of memory while building the names: the next lookup tries again.
    return false;
  }
}

}  // namespace

std::string tqCatalogLocaleName() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = environmentValue(name)) return value;
  }
  return {};
}

std::vector<std::string> tqCatalogLanguages(const std::string& localeName) {
  std::vector<std::string> languages;
  std::string language = localeName.substr(0, localeName.find_first_of(".@"));
  bool usable =
      !language.empty() && language.size() <= kMaxLanguageLength && !isEnglishOrNeutral(language);
  for (char c : language)
    usable = usable && isLanguageCharacter(c);
  if (usable) {
    languages.push_back(language);
    if (language.size() > 2) languages.push_back(language.substr(0, 2));
  }
  if (languages.empty() || languages.back() != kDefaultLanguage) {
    languages.emplace_back(kDefaultLanguage);
  }
  return languages;
}

std::vector<std::string> tqCatalogDirectories() {
  if (const char* dir = environmentValue("TQCATALOGDIR")) return {dir};
  return {TQ_INSTALL_CATALOG_DIR, TQ_BUILD_CATALOG_DIR};
}

nl_catd tqCatalogAcquire() {
  const intptr_t own = TQCatalogDescriptor;
  if (own != TQ_CATALOG_DESCRIPTOR_NONE) return reinterpret_cast<nl_catd>(own);
  ErrnoKeeper keep;
  return openCatalog() ? catalogHandle : kTQNoCatalog;
}

const char* tqCatalogFetch(nl_catd catalog, int32_t setNumber, int32_t number, const char* dflt) {
  if (catalog == kTQNoCatalog) return dflt;
  ErrnoKeeper keep;
  const char* text = catgets(catalog, setNumber, number, dflt);
  return text != nullptr && *text != '\0' ? text : dflt;
}
