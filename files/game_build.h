// Building a playable game from the project tables: each level's front layout and each
// theme's chunkmap (themes 0 .. 10) go into a copy of the master game.
#pragma once
#include <string>

#include "files/project_files.h"

// Where a record's path points: the directory of its descriptor, then the path.
std::string project_source_path(const std::string& descriptor_path, const std::string& record_path);

// Patches a copy of ./master/genesis/glb.bin and writes it as the project file name with
// "bin" for its last three characters, or "Newrom.bin" without a project. Returns 0, or -1
// with the reasons in messages; a failed build writes nothing. output receives the name.
int BuildGenesisGame(const ProjectTables& tables, ProjectMessages& messages, std::string* output = nullptr);

// Patches the name tables of ./master/aga/CODE and writes the repacked CODE and the named
// files into the directory named by the project file without its extension. Same rules.
int BuildAgaGame(const ProjectTables& tables, ProjectMessages& messages, std::string* output = nullptr);
