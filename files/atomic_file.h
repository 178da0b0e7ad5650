// Whole-file reads and crash-safe writes (temporary file, then rename over the old one).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reads a regular file; false when it is missing, unreadable or a directory.
bool read_whole_file(const std::string& path, std::vector<uint8_t>& out);

// Writes bytes to path through "path.tmp" and a rename, so the previous file stays
// intact when the write fails. On failure, error (if given) says why.
bool write_file_atomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error = nullptr);
bool write_file_atomic(const std::string& path, const uint8_t* data, size_t size, std::string* error = nullptr);
