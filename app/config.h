// mossforge.cfg: the settings as a 23-byte little-endian file (version 3).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint8_t CONFIG_VERSION = 3;
constexpr const char* CONFIG_FILE = "mossforge.cfg";

// The settings as the bytes of a version-3 file.
std::vector<uint8_t> config_to_bytes();
// Reads settings from the bytes of a file of any version up to 3; fields the file
// lacks (older version or truncated) become 0. Returns false for a version above 3.
bool config_from_bytes(const std::vector<uint8_t>& bytes);

// Start-up: Allegro, settings, colour depth, graphics mode, timer, keyboard, mouse.
// Ends the program on an incompatible file or an unusable graphics mode.
void config_load();
// Shut-down: writes every setting (through a temporary file, so a failed write keeps the old
// file and is reported).
void config_save();
// Writes the settings to a path; false (and why, if asked) when the file cannot be written.
bool config_write_file(const std::string& path, std::string* error = nullptr);
