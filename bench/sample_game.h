// The sample game for the benchmarks: written by the samplegame program beside the running
// benchmark into a fresh folder of the temporary directory.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// The folder (holding master/) named `name` plus the process id, or "" after a message when
// the game could not be written.
inline std::string write_sample_game(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path self = fs::read_symlink("/proc/self/exe");
  const std::string dir = (fs::temp_directory_path() / (name + "_" + std::to_string(getpid()))).string();
  fs::create_directories(dir);
  const std::string command = "'" + (self.parent_path() / "samplegame").string() + "' '" + dir + "/master' >/dev/null";
  const int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "ERROR: samplegame could not write the sample game\n");
    return "";
  }
  return dir;
}
