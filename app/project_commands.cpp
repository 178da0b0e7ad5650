#include "app/project_commands.h"

#include <filesystem>
#include <string>

#include "files/game_build.h"
#include "files/pp20.h"
#include "files/project_files.h"
#include "files/project_generate.h"
#include "gamedata/level_files.h"
#include "ui/file_selector.h"
#include "ui/messages.h"
#include "ui/screen_state.h"

namespace {

// Shows every collected message; true when there were none.
bool show_messages(const ProjectMessages& messages) {
  for (const std::string& text : messages.all()) report_error(text);
  return messages.all().empty();
}

// Each runs a generator or builder and shows its messages; 0 only when it succeeded
// without reporting anything.
int generate(int (*generator)(const std::string&, ProjectTables&, ProjectMessages&), const std::string& path) {
  ProjectMessages messages;
  const int result = generator(path, project, messages);
  return show_messages(messages) && result == 0 ? 0 : result == 0 ? 1 : -1;
}

int batch_usage(const char* usage) {
  report_error(std::string("ERROR: Usage: mossforge ") + usage);
  return 1;
}

// The file selector; false when it was cancelled.
bool choose(const char* title, const char* extensions, std::string& path) {
  path.clear();
  return select_file(title, extensions, path, static_cast<int>(PROJECT_PATH_MAX));
}

const char* const GENESIS_PROJECT_FILE = "GLB-Gen.glp";
const char* const AGA_PROJECT_FILE = "GLB-AGA.glp";

bool project_exists(const char* project_file) {
  std::error_code ec;
  return std::filesystem::exists(project_file, ec);
}

// The menu's generation: source file, then the question before an existing project of
// the same kind in the working directory is replaced. Cancelling either does nothing.
int generate_from_menu(int (*generator)(const std::string&, ProjectTables&, ProjectMessages&), const char* title,
                       const char* extensions, const char* project_file) {
  std::string path;
  if (!choose(title, extensions, path) || !may_replace(project_file, "")) {
    editor_mode = 0;
    return 0;
  }
  return generate(generator, path);
}

// The batch generation: argv[1] the source, "--overwrite" allowing an existing project
// to be replaced.
int generate_in_batch(int argc, char** argv, const char* usage,
                      int (*generator)(const std::string&, ProjectTables&, ProjectMessages&), const char* project_file) {
  const bool overwrite = argc == 3 && std::string(argv[2]) == "--overwrite";
  if (argc != 2 && !overwrite) return batch_usage(usage);
  if (!overwrite && project_exists(project_file)) {
    report_error(format_text("ERROR: Project file \"%s\" exists; give --overwrite to replace it.", project_file));
    return 1;
  }
  pp20_trace = nullptr;
  return generate(generator, argv[1]) == 0 ? 0 : 1;
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

}  // namespace

int generate_aga_project_command() {
  return generate_from_menu(GenerateAgaProject, "GENERATE AGA PROJECT", nullptr, AGA_PROJECT_FILE);
}

int generate_genesis_project_command() {
  return generate_from_menu(GenerateGenesisProject, "GENERATE GENESIS PROJECT", "bin,gen,md,smd",
                            GENESIS_PROJECT_FILE);
}

int load_project_command() {
  std::string path;
  if (!choose("LOAD PROJECT", "GLP", path)) {
    editor_mode = 0;
    return 0;
  }
  return load_project(path);
}

int build_aga_game_command() { return build(BuildAgaGame); }
int build_genesis_game_command() { return build(BuildGenesisGame); }

// The batch commands: the menu commands' code on a path from the command line, with the
// decoder's trace lines off. Exit status 1 on any error.
int run_generate_genesis(int argc, char** argv) {
  return generate_in_batch(argc, argv, "generate-genesis ROM [--overwrite]", GenerateGenesisProject,
                           GENESIS_PROJECT_FILE);
}

int run_generate_aga(int argc, char** argv) {
  return generate_in_batch(argc, argv, "generate-aga CODE [--overwrite]", GenerateAgaProject, AGA_PROJECT_FILE);
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
