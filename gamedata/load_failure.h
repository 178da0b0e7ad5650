// Why a load of the level failed, in parts: the commands and screens word it for the user
// (load_failure_text, app/level_commands.h), the model's loaders never do.
#pragma once
#include <string>

#include "files/problem.h"

struct LoadFailure {
  enum class Kind {
    Read,      // path could not be read; unread says why (read_whole_file's problem)
    Contents,  // what is wrong inside the file at path: 'File "path": why.'
    Other,     // not about one file: why is the whole sentence
  };
  Kind kind = Kind::Other;
  std::string path;
  std::string why;
  Problem unread;
};
