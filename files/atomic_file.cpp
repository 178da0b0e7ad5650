#include "files/atomic_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool read_whole_file(const std::string& path, std::vector<uint8_t>& out) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  if (ok) out.swap(bytes);
  return ok;
}

bool write_file_atomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
  return write_file_atomic(path, bytes.data(), bytes.size(), error);
}

bool write_file_atomic(const std::string& path, const uint8_t* data, size_t size, std::string* error) {
  const std::string tmp = path + ".tmp";
  auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + ": " + std::strerror(errno);
    std::remove(tmp.c_str());
    return false;
  };
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return fail("cannot create the file");
  const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
  const bool flushed = std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  if (!written || !flushed || !closed) return fail("cannot write the file");
  if (std::rename(tmp.c_str(), path.c_str()) != 0) return fail("cannot replace the file");
  return true;
}
