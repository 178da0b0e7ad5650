#include "app/project_commands.h"

#include <algorithm>
#include <string>

#include "files/game_build.h"
#include "files/pp20.h"
#include "files/project_files.h"
#include "files/project_generate.h"
#include "ui/file_selector.h"
#include "ui/messages.h"

namespace {

// Shows every collected message; true when there were none.
bool show_messages(const ProjectMessages& messages) {
  for (const std::string& text : messages.all()) report_error(text);
  return messages.all().empty();
}

std::string choose(const char* title, const char* extensions) {
  std::string path;
  select_file(title, extensions, path, static_cast<int>(PROJECT_PATH_MAX));
  return path;
}

// Each runs a generator or builder and shows its messages, then what it wrote; 0 only
// when it succeeded without reporting anything.
int generate(int (*generator)(const std::string&, ProjectTables&, ProjectMessages&, std::string*),
             const std::string& path) {
  ProjectMessages messages;
  std::string written;
  const int result = generator(path, project, messages, &written);
  const bool clean = show_messages(messages);
  if (result == 0) show_message("WROTE " + written);
  return clean && result == 0 ? 0 : result == 0 ? 1 : -1;
}

// Loads a project file into the tables; the name is kept only when the project was read.
int load_project(const std::string& path) {
  ProjectMessages messages;
  ProjectTables next = project;
  const bool loaded = LoadProject(path, next, messages);
  const bool clean = show_messages(messages);
  if (!loaded) return -1;
  next.project_file = path.substr(0, PROJECT_PATH_MAX);
  project = std::move(next);
  return clean ? 0 : 1;
}

bool no_project_loaded() {
  auto empty = [](const std::string& path) { return path.empty(); };
  return project.project_file.empty() && std::all_of(project.theme_paths.begin(), project.theme_paths.end(), empty) &&
         std::all_of(project.level_paths.begin(), project.level_paths.end(), empty);
}

int build(int (*builder)(const ProjectTables&, ProjectMessages&, std::string*)) {
  ProjectMessages messages;
  std::string output;
  const int result = builder(project, messages, &output);
  const bool clean = show_messages(messages);
  if (result == 0) {
    const bool folder = builder == BuildAgaGame;
    show_message(no_project_loaded() ? "NO PROJECT LOADED: WROTE " + output + " (THE MASTER IMAGE ONLY)"
                                     : "WROTE " + output + (folder ? "/" : ""));
  }
  return clean && result == 0 ? 0 : result == 0 ? 1 : -1;
}

int batch_usage(const char* usage) {
  report_error(std::string("ERROR: Usage: mossforge ") + usage);
  return 1;
}

}  // namespace

int generate_aga_project_command() { return generate(GenerateAgaProject, choose("Select CODE file", nullptr)); }

int generate_genesis_project_command() {
  return generate(GenerateGenesisProject, choose("Select ROM file", "bin,gen,md,smd"));
}

int load_project_command() { return load_project(choose("Select project file", "GLP")); }

int build_aga_game_command() { return build(BuildAgaGame); }
int build_genesis_game_command() { return build(BuildGenesisGame); }

// The batch commands: the menu commands' code on a path from the command line, with the
// decoder's trace lines off. Exit status 1 on any error.
int run_generate_genesis(int argc, char** argv) {
  if (argc != 2) return batch_usage("generate-genesis ROM");
  pp20_trace = nullptr;
  return generate(GenerateGenesisProject, argv[1]) == 0 ? 0 : 1;
}

int run_generate_aga(int argc, char** argv) {
  if (argc != 2) return batch_usage("generate-aga CODE");
  pp20_trace = nullptr;
  return generate(GenerateAgaProject, argv[1]) == 0 ? 0 : 1;
}

static int batch_build(int argc, char** argv, const char* usage,
                       int (*builder)(const ProjectTables&, ProjectMessages&, std::string*)) {
  if (argc != 2) return batch_usage(usage);
  pp20_trace = nullptr;
  // A project that loads only in part would build into a game without a word: nothing is
  // built after any error.
  if (load_project(argv[1]) != 0) return 1;
  return build(builder) == 0 ? 0 : 1;
}

int run_build_genesis(int argc, char** argv) { return batch_build(argc, argv, "build-genesis PROJECT.glp", BuildGenesisGame); }
int run_build_aga(int argc, char** argv) { return batch_build(argc, argv, "build-aga PROJECT.glp", BuildAgaGame); }
