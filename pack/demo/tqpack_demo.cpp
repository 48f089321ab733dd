// tqpack-demo: packs a file into a container or unpacks one, through the
// library's file-to-file operations.
//
//   tqpack-demo pack <input> <output> [level]
//   tqpack-demo unpack <input> <output>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "tqpack.h"

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

int usage() {
  std::fprintf(stderr,
               "usage: tqpack-demo pack <input> <output> [level 1-9]\n"
               "       tqpack-demo unpack <input> <output>\n");
  return 2;
}

File openFile(const char* path, const char* mode) {
  File f(std::fopen(path, mode));
  if (!f) std::fprintf(stderr, "tqpack-demo: %s: %s\n", path, std::strerror(errno));
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) return usage();
  const bool pack = std::strcmp(argv[1], "pack") == 0;
  if (!pack && std::strcmp(argv[1], "unpack") != 0) return usage();
  if (!pack && argc == 5) return usage();
  const uint32_t level = argc == 5 ? static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)) : 0;

  File in = openFile(argv[2], "rb");
  if (!in) return 1;
  File out = openFile(argv[3], "wb");
  if (!out) return 1;

  int32_t rc =
      pack ? PackFileToFile(level, in.get(), out.get()) : UnpackFileToFile(in.get(), out.get());
  if (rc != TQPACK_OK) {
    std::fprintf(stderr, "tqpack-demo: %s %s failed with code %d\n", argv[1], argv[2],
                 static_cast<int>(rc));
    return 1;
  }
  return 0;
}
