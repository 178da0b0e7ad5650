// The files an installed program ships beside its binary: the interface images and the
// sample game's master files, in share/mossforge/ next to the binary's bin/ folder.
// Everything else the program reads and writes stays relative to the working directory.
#pragma once
#include <string>

#include "files/problem.h"

// The data folder of the binary at exe_path: its folder's ../share/mossforge, normalised.
std::string data_dir_of(const std::string& exe_path);

// The data folder of the running program, or "" when its path cannot be read.
std::string installed_data_dir();

// Where to load the shipped file name from: name itself when the working directory holds it,
// otherwise its copy in data_dir when there is one, otherwise name again (so that a file in
// neither place is reported by its own name).
std::string find_data_file(const std::string& name, const std::string& data_dir);

// Makes dir (and its parents when missing) a working directory holding a copy of the master
// folder sample_master. Refuses a dir that already holds something named master; a copy that
// fails half-way is removed again. On failure, problem says why.
bool init_workspace(const std::string& dir, const std::string& sample_master, Problem* problem);
