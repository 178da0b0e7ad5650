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
// The size of a complete file of a version (0 to 3): 20 bytes plus one per version.
size_t config_size(uint8_t version);
// Reads settings from the bytes of a file of any version up to 3; fields an older version
// lacks become 0. A file shorter than its version's size counts as no file: the settings
// become the defaults and *read (if given) false. Returns false for a version above 3.
bool config_from_bytes(const std::vector<uint8_t>& bytes, bool* read = nullptr);

// Start-up: Allegro, settings, colour depth, graphics mode, timer, keyboard, mouse.
// Ends the program on an incompatible file or an unusable graphics mode.
void config_load();
// Shut-down: writes every setting (through a temporary file, so a failed write keeps the old
// file and is reported).
void config_save();
// Writes the settings to a path; false (and why, if asked) when the file cannot be written.
bool config_write_file(const std::string& path, std::string* error = nullptr);
