// Taking the game apart into a project under the working directory: the theme and level
// data files, the palettes, the descriptors and the project file.
#pragma once
#include <string>

#include "files/project_files.h"
#include "files/project_tree.h"

// From a Genesis ROM image: ./themes (itm, ins, pat, bma), ./levels (lvl, pal) and
// "GLB-Gen.glp". Returns 0, or -1 with the reasons in messages. The game is read whole
// before anything is written, and the project is written all or nothing, so a failed
// generation changes no file and leaves tables unchanged. written (if given) receives what
// was written at the top of the working directory ("themes/, levels/, GLB-Gen.glp").
// Without overwrite, a generation that would replace an existing file (of any project) by
// other contents writes nothing and reports the first such file (WouldReplace).
int GenerateGenesisProject(const std::string& path, ProjectTables& tables, ProjectMessages& messages,
                           std::string* written = nullptr, bool overwrite = false);

// From the AGA CODE file (a packed block) and the data files beside it: ./themes (itm,
// ins, glv), ./levels (lvl, pal) and "GLB-AGA.glp". Same rules as above; every data file
// that the CODE names must be there.
int GenerateAgaProject(const std::string& path, ProjectTables& tables, ProjectMessages& messages,
                       std::string* written = nullptr, bool overwrite = false);

// The reading halves of the two generators, which touch no file: the names, map headers
// and files (to be written) found in a whole ROM image, or in the unpacked CODE data of a
// game whose data files lie in game_dir. False with the reason in error.
bool read_genesis_rom(const std::vector<uint8_t>& rom, GameNames& names, ProjectTree& tree, std::string& error);
bool read_aga_code(const std::vector<uint8_t>& data, const std::string& game_dir, GameNames& names, ProjectTree& tree,
                   std::string& error);
