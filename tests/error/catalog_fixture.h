// Temporary catalog folders and child processes for the catalog tests. The
// library loads its catalog once per process, so each case that depends on
// the environment runs in a child of its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

// A temporary folder, removed with everything in it at the end of its scope.
struct TempDir {
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string path;
};

// Compiles a catalog from gencat source text into
// <dir>/<language>/tqmessages.cat. Fails the current test when gencat fails.
void writeCatalog(const std::string& dir, const std::string& language, const std::string& source);

// Runs body in a child process and returns the lines it produced. Fails the
// current test when the child does not end normally.
std::vector<std::string> runInChild(const std::function<std::vector<std::string>()>& body);

// In a child: clears every variable that chooses the catalog, then sets the
// given ones (name, value pairs).
void setCatalogEnvironment(const std::vector<std::pair<std::string, std::string>>& variables);

// A text for comparing: the text, or "(null)".
std::string shown(const char* text);
