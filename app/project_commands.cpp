#include "app/project_commands.h"

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

// Each runs a generator or builder and shows its messages; 0 only when it succeeded
// without reporting anything.
int generate(int (*generator)(const std::string&, ProjectTables&, ProjectMessages&), const std::string& path) {
  ProjectMessages messages;
  const int result = generator(path, project, messages);
  return show_messages(messages) && result == 0 ? 0 : result == 0 ? 1 : -1;
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

int build(int (*builder)(const ProjectTables&, ProjectMessages&, std::string*), std::string* output = nullptr) {
  ProjectMessages messages;
  const int result = builder(project, messages, output);
  return show_messages(messages) && result == 0 ? 0 : result == 0 ? 1 : -1;
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
int load_project_file(const std::string& path) { return load_project(path); }

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
  const int loaded = load_project(argv[1]);
  if (loaded < 0) return 1;
  std::string output;
  const int built = build(builder, &output);
  if (built >= 0) show_message("Wrote " + output);
  return loaded == 0 && built == 0 ? 0 : 1;
}

int run_build_genesis(int argc, char** argv) { return batch_build(argc, argv, "build-genesis PROJECT.glp", BuildGenesisGame); }
int run_build_aga(int argc, char** argv) { return batch_build(argc, argv, "build-aga PROJECT.glp", BuildAgaGame); }
