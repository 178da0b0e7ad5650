// Whole-file reads and crash-safe writes (temporary file, then rename over the old one).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/problem.h"

// Reads a regular file; false when it is missing, unreadable, not a regular file (a
// directory, a device) or larger than max_size bytes. On failure, problem (if given) says
// which, about path.
bool read_whole_file(const std::string& path, std::vector<uint8_t>& out, Problem* problem = nullptr,
                     size_t max_size = SIZE_MAX);

// Writes bytes to path through "path.tmp" and a rename, so the previous file stays intact
// when the write fails; a file that is replaced keeps its permissions. With sync, the new
// bytes are on the disk before the rename, so even a crash leaves the old file or the whole
// new one (debug output that is rewritten all the time skips that). On failure, error (if
// given) says why.
// Writes bytes straight to path (created or truncated), flushed and, with sync, on the disk
// when it returns true; mode (when not -1) gives its permissions. The first half of
// write_file_atomic.
bool write_file_synced(const std::string& path, const uint8_t* data, size_t size, std::string* error = nullptr,
                       bool sync = true, int mode = -1);
bool write_file_atomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error = nullptr,
                       bool sync = true);
bool write_file_atomic(const std::string& path, const uint8_t* data, size_t size, std::string* error = nullptr,
                       bool sync = true);

// A write to a symbolic link writes the file it leads to (the link stays); an existing file
// the user may not write is refused with the reason WRITE_PROTECTED, which write_problem
// turns into that problem (any other reason into a problem of kind).
constexpr const char* WRITE_PROTECTED = "write-protected";
Problem write_problem(Problem::Kind kind, const std::string& path, const std::string& why);

// The two halves of write_file_atomic, for writers of many files that replace none of them
// until all are written: write_file_staged writes "path.tmp" (synced, with the permissions of
// a file it will replace; refused when path is a directory); commit_staged_file renames it
// over path; discard_staged_file removes it.
bool write_file_staged(const std::string& path, const uint8_t* data, size_t size, std::string* error = nullptr,
                       bool sync = true);
bool commit_staged_file(const std::string& path, std::string* error = nullptr);
void discard_staged_file(const std::string& path);
