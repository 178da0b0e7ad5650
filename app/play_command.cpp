#include "app/play_command.h"

#include <cstdlib>
#include <vector>

#include "app/level_file_commands.h"
#include "app/project_commands.h"
#include "files/emulator_launch.h"
#include "files/format_text.h"
#include "files/pp20.h"
#include "ui/messages.h"

const char* const NO_EMULATOR = "ERROR: No emulator: set MOSSFORGE_EMULATOR or install blastem.";
const char* const LOAD_PROJECT_FIRST = "LOAD A PROJECT FIRST: THE BUILD USES ITS FILES.";

bool start_emulator(const std::string& rom) {
  const char* setting = std::getenv("MOSSFORGE_EMULATOR");
  const bool configured = setting && *setting;
  std::vector<std::string> words = {"blastem", rom};
  std::string why;
  if (configured && !emulator_arguments(setting, rom, words, why)) {
    report_error(format_text("ERROR: MOSSFORGE_EMULATOR \"%s\" cannot be used: %s.", setting, why.c_str()));
    return false;
  }
  const std::string program = find_program(words[0]);
  if (program.empty()) {
    report_error(configured ? format_text("ERROR: Emulator \"%s\" of MOSSFORGE_EMULATOR not found.", words[0].c_str())
                            : NO_EMULATOR);
    return false;
  }
  words[0] = program;
  if (!start_detached(words, why)) {
    report_error(format_text("ERROR: Could not start the emulator \"%s\": %s.", program.c_str(), why.c_str()));
    return false;
  }
  return true;
}

void play_loaded_project() {
  if (!project_loaded()) {
    show_message(LOAD_PROJECT_FIRST);
    return;
  }
  if (!settle_unsaved_before_build()) return;
  std::string image;
  if (build_genesis_game_command(&image) == -1) return;
  start_emulator(image);
}

int run_play(int argc, char** argv) {
  if (argc != 2) {
    report_error("ERROR: Usage: mossforge play PROJECT.glp");
    return 1;
  }
  pp20_set_trace(nullptr);
  std::string image;
  // As build-genesis: nothing is built after any error of the project.
  if (load_project_file(argv[1]) != 0 || build_genesis_game_command(&image) != 0) return 1;
  return start_emulator(image) ? 0 : 1;
}
