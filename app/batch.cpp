#include "app/batch.h"

#include <cstdio>
#include <cstring>

#include "app/pack_commands.h"
#include "app/patch_commands.h"
#include "app/play_command.h"
#include "app/project_commands.h"
#include "app/render_command.h"
#include "app/usage_command.h"
#include "app/workspace_command.h"
#include "gamedata/bitmap.h"
#include "ui/messages.h"

namespace {

struct BatchCommand {
  const char* name;
  const char* usage;
  const char* help;
  int (*run)(int argc, char** argv);  // argv[0] is the command name
};

// The commands; each shares the code of its menu command.
const BatchCommand commands[] = {
    {"pack", "pack IN OUT", "pack the whole file IN into the PP20 packed block OUT", run_pack},
    {"unpack", "unpack IN OUT [OFFSET]", "decode the packed block at OFFSET (default 0) of IN into OUT",
     run_unpack},
    {"render", "render MAP OUT.png [--zoom Z]",
     "import map MAP (hex) from ./master/genesis/glb.bin and save a picture of it (planes, object icons, markers)",
     run_render_command},
    {"generate-genesis", "generate-genesis ROM [--overwrite]",
     "take the Genesis ROM image apart into a project here (--overwrite: replace an existing one)",
     run_generate_genesis},
    {"generate-aga", "generate-aga CODE [--overwrite]",
     "take the AGA game of CODE apart into a project here (--overwrite: replace an existing one)", run_generate_aga},
    {"build-genesis", "build-genesis PROJECT.glp",
     "build a Genesis ROM image from the project, and the BPS patch from the master to it", run_build_genesis},
    {"build-aga", "build-aga PROJECT.glp", "build an AGA game directory from the project", run_build_aga},
    {"usage", "usage chunks|blocks [PROJECT.glp]",
     "where each chunk is placed and each block used, as CSV (the project, or the ROM image)",
     run_usage_command},
    {"play", "play PROJECT.glp",
     "build the Genesis game as build-genesis does and start the emulator on it (MOSSFORGE_EMULATOR, or blastem)",
     run_play},
    {"bps-create", "bps-create SOURCE TARGET OUT.bps", "write the BPS patch that turns SOURCE into TARGET",
     run_bps_create},
    {"bps-apply", "bps-apply SOURCE PATCH OUT", "apply the BPS patch PATCH to SOURCE, checking sizes and CRCs",
     run_bps_apply},
    {"init-workspace", "init-workspace DIR",
     "make DIR a working directory holding the sample game's master files (Genesis image and AGA game)",
     run_init_workspace},
    {nullptr, nullptr, nullptr, nullptr},
};

void print_help() {
  std::printf(
      "Usage: mossforge [COMMAND [ARGS]]\n"
      "  or:  mossforge --help | --version\n"
      "Without arguments, opens the editor's window on the game files of the working directory;\n"
      "with a command, runs that batch command and ends.\n\nBatch commands:\n");
  bool any = false;
  for (const BatchCommand& c : commands) {
    if (!c.name) continue;
    std::printf("  %-40s %s\n", c.usage, c.help);
    any = true;
  }
  if (!any) std::printf("  (none yet)\n");
  // The manual page is made from this text: "Environment:", "Files:" and "Examples:" become
  // its sections of those names.
  std::printf(
      "\nThe editor and the batch commands read and write files in and below the working directory.\n"
      "The interface images are looked for there first, then in the installed data folder\n"
      "(share/mossforge beside the folder of the binary).\n"
      "\nEnvironment:\n"
      "  MOSSFORGE_SNAPSHOT_SECONDS  seconds of unsaved edits between two crash-recovery snapshots (default 30)\n"
      "  MOSSFORGE_EMULATOR          the emulator play and the level editor's F8 start, {rom} for the image (default blastem)\n"
      "  DISPLAY                     the X display the editor's window opens on\n"
      "\nFiles:\n"
      "  mossforge.cfg               the configuration, read at start-up and written at the end\n"
      "  master/genesis/glb.bin      the master Genesis ROM image the imports, projects and builds read\n"
      "  master/aga/CODE             the master AGA game program, its data files beside it\n"
      "  alphanum.png, cursor.png, bselect.png\n"
      "                              the interface images: font, cursors, selection frame\n"
      "  .recovery/                  snapshots of unsaved edits, offered at the next start\n"
      "  dump/                       debug dumps of the graphics of every import\n"
      "  share/mossforge/            the installed data folder: interface images, sample game (master/)\n"
      "\nExamples:\n"
      "  $ mossforge init-workspace ~/glubbert && cd ~/glubbert && mossforge\n"
      "  $ mossforge render 01 map01.png\n");
}

}  // namespace

int run_batch(int argc, char** argv) {
  const char* cmd = argv[1];
  if (!std::strcmp(cmd, "--help") || !std::strcmp(cmd, "-h")) {
    print_help();
    return 0;
  }
  if (!std::strcmp(cmd, "--version")) {
    std::printf("mossforge " MOSSFORGE_VERSION "\n");
    return 0;
  }
  for (const BatchCommand& c : commands) {
    if (c.name && !std::strcmp(c.name, cmd)) {
      if (argc > 2 && (!std::strcmp(argv[2], "--help") || !std::strcmp(argv[2], "-h"))) {
        std::printf("Usage: mossforge %s\n  %s\n", c.usage, c.help);
        return 0;
      }
      set_message_sink(MessageSink::Batch);
      if (!init_headless_graphics()) {
        std::fprintf(stderr, "ERROR: Cannot initialise the graphics library.\n");
        return 1;
      }
      return c.run(argc - 1, argv + 1);
    }
  }
  std::fprintf(stderr, "ERROR: Unknown command \"%s\". Run \"mossforge --help\" for the list of commands.\n", cmd);
  return 2;
}
