// The project commands of the main menu (generation, LOAD PROJECT..., the two builds) and
// the batch commands that run the same code.
#pragma once
#include <string>

#include "files/game_build.h"
#include "gamedata/level_state.h"

// Each command shows its messages and returns 0, 1 when it did its work but reported
// errors (a descriptor missing), or -1 when it failed. A generation or build that did its
// work then says what it wrote ("WROTE GLB-Gen.bin"); a Genesis build with no project
// loaded says that it wrote the master image only.

// GENERATE AGA PROJECT... / GENERATE GENESIS PROJECT...: the file selector, then the
// generator on the chosen path.
int generate_aga_project_command();
int generate_genesis_project_command();
// LOAD PROJECT...: the file selector, then the project and its descriptors into the
// project tables. On failure the tables, the project file name included, stay as they were.
int load_project_command();
// The same on a path without the selector.
int load_project_file(const std::string& path);
// True when a project has been loaded (a project file name or any descriptor path is set).
bool project_loaded();
// What the WROTE line of a build says about the room left: "N BYTES FREE BELOW 0x164904",
// "IMAGE GROWS TO N BYTES" once data went past 2 MiB, "CODE PACKED TO N OF 458752 BYTES".
std::string build_room_text(bool aga_game, const BuildRoom& room);
// BUILD AGA GAME FROM PROJECT / BUILD GENESIS GAME FROM PROJECT from the loaded project;
// image (if given) receives the name of the Genesis image written.
int build_aga_game_command();
int build_genesis_game_command(std::string* image = nullptr);

// Batch: generate-genesis ROM, generate-aga CODE, build-genesis PROJECT.glp,
// build-aga PROJECT.glp. Exit status 1 when any error was reported; a build whose project
// loads with any error builds nothing.
int run_generate_genesis(int argc, char** argv);
int run_generate_aga(int argc, char** argv);
int run_build_genesis(int argc, char** argv);
int run_build_aga(int argc, char** argv);
