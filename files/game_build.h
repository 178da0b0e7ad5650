// Building a playable game from the project tables: each level's front layout and each
// theme's chunkmap (themes 0 .. 10) go into a copy of the master game.
#pragma once
#include <string>
#include <vector>

#include "files/project_files.h"

// Where a record's path points: the directory of its descriptor, then the path.
std::string project_source_path(const std::string& descriptor_path, const std::string& record_path);

// A file that a build reads, and what it is to the user ("the project file", "the layout").
struct BuildInput {
  std::string role, path;
};
// The project file, the master file, the descriptors and every layout and chunkmap that a
// build of tables reads.
std::vector<BuildInput> build_inputs(const ProjectTables& tables, const std::string& master);
// True (and the problem in clash) when writing the file `output` would replace one of the
// inputs, or when replacing the folder `folder` (with all it holds) would destroy one.
bool output_file_clash(const std::string& output, const std::vector<BuildInput>& inputs, Problem& clash);
bool output_folder_clash(const std::string& folder, const std::vector<BuildInput>& inputs, Problem& clash);

// How much room a build left in the game: for the Genesis image, where the placed data ends
// (past 0x200000 once data has moved there) and the size written; for the AGA game, the size
// of the packed CODE (its buffer holds 458,752 bytes).
struct BuildRoom {
  size_t placed_end = 0;
  size_t image_size = 0;
  size_t packed_code = 0;
};

// Patches a copy of ./master/genesis/glb.bin and writes it as the project file name with
// "bin" for its last three characters, or "Newrom.bin" without a project, with the header's
// end address and checksum made to fit, and beside it the BPS patch from the master to it
// (patch_path_for). Returns 0, or -1 with the problems in messages; a failed build writes
// nothing, and no build writes over a file it reads. output receives the image's name, room
// how full it is.
int BuildGenesisGame(const ProjectTables& tables, ProjectMessages& messages, std::string* output = nullptr,
                     BuildRoom* room = nullptr);

// Patches the name tables of ./master/aga/CODE and writes the repacked CODE and the named
// files into the directory named by the project file without its extension. The names
// must differ without regard to case (identical files may share one) and none may be CODE.
// Every other data file beside the master CODE that the folder lacks is copied in, so the
// built game is complete; files of the folder that the build does not write are kept. The
// folder is written all or nothing; a failed build leaves it untouched. Same rules otherwise.
int BuildAgaGame(const ProjectTables& tables, ProjectMessages& messages, std::string* output = nullptr,
                 BuildRoom* room = nullptr);
