#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool refuse(Problem* problem, const std::string& path, Problem::Kind kind, const std::string& detail = "",
            uint64_t limit = 0) {
  if (problem) *problem = Problem(kind, path, "", detail, 0, limit);
  return false;
}

}  // namespace

bool read_whole_file(const std::string& path, std::vector<uint8_t>& out, Problem* problem, size_t max_size) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return refuse(problem, path, Problem::Kind::NotFound);
    return refuse(problem, path, Problem::Kind::Unreadable, std::strerror(errno));
  }
  if (S_ISDIR(st.st_mode)) return refuse(problem, path, Problem::Kind::IsDirectory);
  if (!S_ISREG(st.st_mode)) return refuse(problem, path, Problem::Kind::NotRegularFile);
  auto too_large = [&] { return refuse(problem, path, Problem::Kind::TooLarge, "", max_size); };
  if (static_cast<uint64_t>(st.st_size) > max_size) return too_large();
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return refuse(problem, path, Problem::Kind::Unreadable, std::strerror(errno));
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(st.st_size));
  uint8_t chunk[65536];
  size_t n;
  bool fits = true;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    // The file may have grown since stat: never hold more than max_size bytes.
    if (n > max_size - bytes.size()) {
      fits = false;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  const bool failed = std::ferror(f);
  const int read_errno = errno;
  std::fclose(f);
  if (!fits) return too_large();
  if (failed) return refuse(problem, path, Problem::Kind::Unreadable, std::strerror(read_errno));
  out.swap(bytes);
  return true;
}

bool write_file_atomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error, bool sync) {
  return write_file_atomic(path, bytes.data(), bytes.size(), error, sync);
}

bool write_file_synced(const std::string& path, const uint8_t* data, size_t size, std::string* error, bool sync,
                       int mode) {
  auto fail = [&](const char* what, int err) {
    if (error) *error = std::string(what) + ": " + std::strerror(err);
    return false;
  };
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return fail("cannot create the file", errno);
  int err = 0;
  if (size != 0 && std::fwrite(data, 1, size, f) != size) err = errno;
  if (!err && std::fflush(f) != 0) err = errno;
  // On the disk before the rename, so a crash leaves the old file or the whole new one.
  if (!err && sync && fsync(fileno(f)) != 0 && errno != EINVAL) err = errno;
  if (!err && mode >= 0) fchmod(fileno(f), static_cast<mode_t>(mode));
  if (std::fclose(f) != 0 && !err) err = errno;
  if (err) return fail("cannot write the file", err);
  return true;
}

namespace {

// The file a write to path replaces: path itself or, for a symbolic link, the file the link
// leads to (which need not exist yet), so the link stays and its file gets the new bytes.
std::string write_target(const std::string& path) {
  std::string target = path;
  char link[4096];
  for (int hops = 0; hops < 40; ++hops) {
    const ssize_t n = readlink(target.c_str(), link, sizeof link);
    if (n <= 0 || static_cast<size_t>(n) == sizeof link) break;
    const std::string to(link, static_cast<size_t>(n));
    const size_t slash = target.find_last_of('/');
    target = to[0] == '/' || slash == std::string::npos ? to : target.substr(0, slash + 1) + to;
  }
  return target;
}

// An existing file the user may not write. Root may write any file, so for root a file
// without any write permission counts as protected.
bool write_protected(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (geteuid() == 0) return (st.st_mode & 0222) == 0;
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

}  // namespace

Problem write_problem(Problem::Kind kind, const std::string& path, const std::string& why) {
  return why == WRITE_PROTECTED ? Problem(Problem::Kind::WriteProtected, path) : Problem(kind, path, "", why);
}

bool write_file_staged(const std::string& path_given, const uint8_t* data, size_t size, std::string* error,
                       bool sync) {
  const std::string path = write_target(path_given);
  const std::string tmp = path + ".tmp";
  auto fail = [&](const char* what, int err) {
    if (error) *error = std::string(what) + ": " + std::strerror(err);
    std::remove(tmp.c_str());
    return false;
  };
  struct stat old;
  const bool replacing = stat(path.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) return fail("cannot replace the file", EISDIR);
  if (replacing && write_protected(path)) {
    if (error) *error = WRITE_PROTECTED;
    return false;
  }
  if (!write_file_synced(tmp, data, size, error, sync, replacing ? static_cast<int>(old.st_mode & 07777) : -1)) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

bool commit_staged_file(const std::string& path_given, std::string* error) {
  const std::string path = write_target(path_given);
  const std::string tmp = path + ".tmp";
  if (std::rename(tmp.c_str(), path.c_str()) == 0) return true;
  if (error) *error = std::string("cannot replace the file: ") + std::strerror(errno);
  std::remove(tmp.c_str());
  return false;
}

void discard_staged_file(const std::string& path) { std::remove((write_target(path) + ".tmp").c_str()); }

bool write_file_atomic(const std::string& path, const uint8_t* data, size_t size, std::string* error, bool sync) {
  return write_file_staged(path, data, size, error, sync) && commit_staged_file(path, error);
}
