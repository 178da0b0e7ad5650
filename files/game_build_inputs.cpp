// What a game build reads, and the checks that its output never destroys any of it.
#include <filesystem>
#include <system_error>

#include "files/game_build.h"
#include "files/rom_tables.h"

namespace fs = std::filesystem;

std::vector<BuildInput> build_inputs(const ProjectTables& tables, const std::string& master) {
  std::vector<BuildInput> inputs;
  if (!tables.project_file.empty()) inputs.push_back({"the project file", tables.project_file});
  inputs.push_back({"the master image", master});
  for (const std::string& path : tables.theme_paths)
    if (!path.empty()) inputs.push_back({"the descriptor", path});
  for (const std::string& path : tables.level_paths)
    if (!path.empty()) inputs.push_back({"the descriptor", path});
  for (int i = 0; i < PROJECT_LEVELS; ++i)
    if (!tables.levels[i].map_front.empty())
      inputs.push_back({"the layout", project_source_path(tables.level_paths[i], tables.levels[i].map_front)});
  for (int t = 0; t < BUILD_THEMES; ++t)
    if (!tables.themes[t].chunkmap.empty())
      inputs.push_back({"the chunkmap", project_source_path(tables.theme_paths[t], tables.themes[t].chunkmap)});
  return inputs;
}

namespace {

// Both exist and are one file (also through a link or another spelling of the path).
bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

// The existing file path lies somewhere below the existing folder.
bool inside(const std::string& path, const std::string& folder) {
  std::error_code ec;
  const fs::path f = fs::canonical(folder, ec);
  if (ec) return false;
  const fs::path p = fs::canonical(path, ec);
  if (ec) return false;
  for (fs::path up = p.parent_path(); !up.empty(); up = up.parent_path()) {
    if (up == f) return true;
    if (up == up.parent_path()) break;
  }
  return false;
}

}  // namespace

bool output_file_clash(const std::string& output, const std::vector<BuildInput>& inputs, Problem& clash) {
  for (const BuildInput& in : inputs)
    if (same_file(output, in.path)) {
      clash = Problem{Problem::Kind::OverwritesInput, output, in.path, in.role};
      return true;
    }
  return false;
}

bool output_folder_clash(const std::string& folder, const std::vector<BuildInput>& inputs, Problem& clash) {
  for (const BuildInput& in : inputs) {
    if (same_file(folder, in.path)) {
      clash = Problem{Problem::Kind::FolderIsInput, folder, in.path, in.role};
      return true;
    }
    if (inside(in.path, folder)) {
      clash = Problem{Problem::Kind::FolderHoldsInput, folder, in.path, in.role};
      return true;
    }
  }
  std::error_code ec;
  if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
    clash = Problem{Problem::Kind::FolderIsFile, folder};
    return true;
  }
  return false;
}
