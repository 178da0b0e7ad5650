// Taking the game apart into a project under the working directory: the theme and level
// data files, the palettes, the descriptors and the project file.
#pragma once
#include <string>

#include "files/project_files.h"

// From a Genesis ROM image: ./themes (itm, ins, pat, bma), ./levels (lvl, pal) and
// "GLB-Gen.glp". Returns 0, or -1 with the reasons in messages. The game is read whole
// before anything is written, so bad data writes nothing and leaves tables unchanged.
int GenerateGenesisProject(const std::string& path, ProjectTables& tables, ProjectMessages& messages);

// From the AGA CODE file (a packed block) and the data files beside it: ./themes (itm,
// ins, glv), ./levels (lvl, pal) and "GLB-AGA.glp". Same rules as above.
int GenerateAgaProject(const std::string& path, ProjectTables& tables, ProjectMessages& messages);
