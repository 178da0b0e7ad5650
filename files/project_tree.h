// A generated project before it is written: the directories, files and game-file copies
// collected while the game is read, and the project file and descriptors made from the
// names found. Nothing reaches the disk until the whole game has been read without error.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "files/level_records.h"
#include "files/project_files.h"
#include "files/rom_tables.h"

struct ProjectTree {
  struct Entry {
    enum Kind { Directory, File, Copy } kind;
    std::string path;            // directory or destination
    std::vector<uint8_t> bytes;  // File: the content
    std::string source;          // Copy: the game file
  };
  std::vector<Entry> entries;  // written in this order

  void add_directory(const std::string& path);
  void add_file(const std::string& path, std::vector<uint8_t> bytes);
  void add_text(const std::string& path, const std::string& text);
  void add_copy(const std::string& source, const std::string& destination);
};

// Writes the tree all or nothing: the game files to copy are read first (a missing,
// unreadable or oversized one is reported), the directories made (existing ones are used),
// every file written beside its place, and only when all are written are they renamed into
// place. False after a problem; files that existed are then untouched and directories made
// here are removed again. Without overwrite, an existing file of other contents is such a
// problem (WouldReplace, the first one); files written unchanged are not.
bool write_project_tree(const ProjectTree& tree, ProjectMessages& messages, bool overwrite = true);

// Reads one game file of at most 524,288 bytes; false after a problem naming it.
bool read_game_file(const std::string& source, std::vector<uint8_t>& bytes, ProjectMessages& messages);

// What a tree writes at the top of the working directory, for the user: "themes/, levels/,
// GLB-Gen.glp".
std::string written_summary(const ProjectTree& tree);

// What a generator found in the game: the file names of each theme and layout (empty: no
// file) and the map header of each level.
struct GameNames {
  bool aga = false;
  std::array<std::string, PROJECT_THEMES> chunkmap, solidity, patterns, blockmap, graphics;
  std::array<std::string, 2 * LAYOUT_BANK_SIZE> layouts;
  // For a layout left without a file because its table entry repeats an earlier one: that
  // earlier layout's name (it holds the same block).
  std::array<std::string, 2 * LAYOUT_BANK_SIZE> layout_aliases;
  std::array<MapHeader, MAP_HEADER_COUNT> headers{};
};

// Two upper-case hexadecimal digits ("6A"), and one for a theme ("B").
std::string hex2(int value);
std::string hex1(int value);

// The descriptor texts of one theme and one level (CR LF between lines).
std::string theme_descriptor_text(const GameNames& names, int theme);
std::string level_descriptor_text(const GameNames& names, int level);

// Where the descriptors go, relative to the working directory; empty for a theme or level
// that gets none. Names are unique without regard to case: a name already taken gets "_2",
// "_3" ... before its extension.
struct DescriptorPaths {
  std::array<std::string, PROJECT_THEMES> themes;
  std::array<std::string, PROJECT_LEVELS> levels;
};
DescriptorPaths descriptor_paths(const GameNames& names);

// Adds every theme and level descriptor and the project file ("GLB-Gen.glp" or
// "GLB-AGA.glp") to the tree, and makes tables what loading that project gives (empty
// tables filled from the descriptors; no project file name).
void add_project_files(const GameNames& names, ProjectTree& tree, ProjectTables& tables);
// Adds the project files to the tree and writes it all; only then do the tables take the
// new project, so a generation that cannot be written leaves them as they were. 0 or -1;
// written (if given) receives written_summary of the tree. overwrite as for write_project_tree.
int write_generated_project(const GameNames& names, ProjectTree& tree, ProjectTables& tables,
                            ProjectMessages& messages, std::string* written, bool overwrite);
