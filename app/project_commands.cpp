#include "app/project_commands.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/level_file_commands.h"
#include "app/problem_text.h"
#include "files/bps_patch.h"
#include "files/game_build.h"
#include "files/format_text.h"
#include "files/pp20.h"
#include "files/project_files.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "app/file_choice.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"

namespace {

// Shows every collected message; true when there were none.
bool show_messages(const ProjectMessages& messages) {
  for (const std::string& text : problem_texts(messages)) report_error(text);
  return messages.all().empty();
}

using Generator = int (*)(const std::string&, ProjectTables&, ProjectMessages&, std::string*, bool);

// Each runs a generator or builder and shows its messages, then what it wrote; 0 only
// when it succeeded without reporting anything. Given `replaced`, a generation refused
// because it would replace a file of other contents shows nothing and returns 2 with that
// file in replaced, for the caller to ask.
int generate(Generator generator, const std::string& path, bool overwrite, std::string* replaced = nullptr) {
  ProjectMessages messages;
  std::string written;
  const int result = generator(path, project, messages, &written, overwrite);
  if (replaced && result != 0 && messages.all().size() == 1 &&
      messages.all()[0].kind == Problem::Kind::WouldReplace) {
    *replaced = messages.all()[0].path;
    return 2;
  }
  const bool clean = show_messages(messages);
  if (result == 0) show_message("WROTE " + written);
  return clean && result == 0 ? 0 : result == 0 ? 1 : -1;
}

int batch_usage(const char* usage) {
  report_error(std::string("ERROR: Usage: mossforge ") + usage);
  return 1;
}

// The file selector; false when it was cancelled.
bool choose(const char* title, const char* extensions, std::string& path) {
  path.clear();
  return open_file_selector(title, extensions, path, static_cast<int>(PROJECT_PATH_MAX));
}

// The menu's generation: source file, then, when the generation would replace a file of
// other contents (of either edition's project), the question naming the first. Cancelling
// either does nothing.
int generate_from_menu(Generator generator, const char* title, const char* extensions) {
  std::string path, replaced;
  if (!choose(title, extensions, path)) {
    editor_mode = 0;
    return 0;
  }
  const int result = generate(generator, path, false, &replaced);
  if (result != 2) return result;
  if (ask_yes_no_cancel(display, format_text(OVERWRITE_QUESTION, replaced.c_str())) != Answer::Yes) {
    editor_mode = 0;
    return 0;
  }
  return generate(generator, path, true);
}

// The batch generation: argv[1] the source, "--overwrite" allowing files of other contents
// to be replaced.
int generate_in_batch(int argc, char** argv, const char* usage, Generator generator) {
  const bool overwrite = argc == 3 && std::string(argv[2]) == "--overwrite";
  if (argc != 2 && !overwrite) return batch_usage(usage);
  pp20_set_trace(nullptr);
  return generate(generator, argv[1], overwrite) == 0 ? 0 : 1;
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

using GameBuilder = int (*)(const ProjectTables&, ProjectMessages&, std::string*, BuildRoom*);

bool no_project_loaded() { return project_is_empty(project); }

int build(GameBuilder builder, std::string* image = nullptr) {
  ProjectMessages messages;
  std::string output;
  BuildRoom room;
  const int result = builder(project, messages, &output, &room);
  if (image) *image = output;
  const bool clean = show_messages(messages);
  if (result == 0) {
    const bool folder = builder == BuildAgaGame;
    // The Genesis build writes the patch from the master beside the image.
    const std::string written = folder ? output + "/" : output + ", " + patch_path_for(output);
    show_message((no_project_loaded() ? "NO PROJECT LOADED: WROTE " + written + " (THE MASTER IMAGE ONLY)"
                                      : "WROTE " + written) +
                 "; " + build_room_text(folder, room));
  }
  return clean && result == 0 ? 0 : result == 0 ? 1 : -1;
}

}  // namespace

std::string build_room_text(bool aga_game, const BuildRoom& room) {
  if (aga_game) return format_text("CODE PACKED TO %zu OF %zu BYTES", room.packed_code, aga::PACKED_CODE_LIMIT);
  if (room.placed_end < genesis::OVERFLOW_START)
    return format_text("%zu BYTES FREE BELOW 0x%zX", genesis::PLACEMENT_END - room.placed_end, genesis::PLACEMENT_END);
  return format_text("IMAGE GROWS TO %zu BYTES", room.image_size);
}

int generate_aga_project_command() {
  return generate_from_menu(GenerateAgaProject, "GENERATE AGA PROJECT", nullptr);
}

int generate_genesis_project_command() {
  return generate_from_menu(GenerateGenesisProject, "GENERATE GENESIS PROJECT", "bin,gen,md,smd");
}

int load_project_command() {
  std::string path;
  if (!choose("LOAD PROJECT", "GLP", path)) {
    editor_mode = 0;
    return 0;
  }
  return load_project(path);
}
int load_project_file(const std::string& path) { return load_project(path); }

bool project_loaded() { return !no_project_loaded(); }

int build_aga_game_command() { return build(BuildAgaGame); }
int build_genesis_game_command(std::string* image) { return build(BuildGenesisGame, image); }

// The batch commands: the menu commands' code on a path from the command line, with the
// decoder's trace lines off. Exit status 1 on any error.
int run_generate_genesis(int argc, char** argv) {
  return generate_in_batch(argc, argv, "generate-genesis ROM [--overwrite]", GenerateGenesisProject);
}

int run_generate_aga(int argc, char** argv) {
  return generate_in_batch(argc, argv, "generate-aga CODE [--overwrite]", GenerateAgaProject);
}

static int batch_build(int argc, char** argv, const char* usage, GameBuilder builder) {
  if (argc != 2) return batch_usage(usage);
  pp20_set_trace(nullptr);
  // A project that loads only in part would build into a game without a word: nothing is
  // built after any error.
  if (load_project(argv[1]) != 0) return 1;
  return build(builder) == 0 ? 0 : 1;
}

int run_build_genesis(int argc, char** argv) { return batch_build(argc, argv, "build-genesis PROJECT.glp", BuildGenesisGame); }
int run_build_aga(int argc, char** argv) { return batch_build(argc, argv, "build-aga PROJECT.glp", BuildAgaGame); }
