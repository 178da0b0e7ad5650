#include "app/main_menu.h"

#include <cstring>
#include <vector>

#include "app/level_commands.h"
#include "app/level_file_commands.h"
#include "app/play_command.h"
#include "app/project_commands.h"
#include "app/recovery.h"
#include "app/usage_command.h"
#include "chunkedit/chunk_editor.h"
#include "chunkedit/chunk_editor_state.h"
#include "chunkedit/chunk_history.h"
#include "chunkedit/chunk_undo.h"
#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "leveledit/level_editor.h"
#include "leveledit/level_editor_state.h"
#include "leveledit/level_undo.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/menu.h"
#include "ui/screen_state.h"
#include "ui/settings.h"
#include "ui/setup_screens.h"

const char* const MAIN_MENU_TEXT =
    " LEVEL EDITOR\n CHUNKMAP EDITOR\n BLOCK ANALYSIS TOOL\n\n LOAD LEVEL FROM ROM...\n LOAD LEVEL FROM LVL FILE...\n\n"
    " LOAD LEVEL...\n SAVE LEVEL\n\n LOAD CHUNKMAP FROM ITM FILE...\n SAVE CHUNKMAP\n\n GENERATE AGA PROJECT...\n"
    " GENERATE GENESIS PROJECT...\n LOAD PROJECT...\n\n BUILD AGA GAME FROM PROJECT\n BUILD GENESIS GAME FROM PROJECT\n\n"
    " SETUP\n QUIT";

uint8_t mode_for_menu_result(uint8_t result) {
  switch (result) {
    case 129: return 1;
    case 130: return 2;
    case 131: return 3;
    case 133: return 5;
    case 134: return 6;
    case 136: return 7;
    case 137: return 8;
    case 139: return 9;
    case 140: return 10;
    case 142: return 11;
    case 143: return 12;
    case 144: return 13;
    case 146: return 14;
    case 147: return 15;
    case 149: return 4;
    case 150: return 255;
    default: return 0;
  }
}

void reset_editor_state() { reset_chunk_editor_state(); }

const SetupActions setup_actions{[] { resize_level_undo(level_undo_size); }, [] { resize_chunk_undo(meta_undo_size); }};

void import_level_at_start_up() {
  if (!recover_at_start_up()) level_import_from_rom();
  snap_to_grid = 1;
  effect_details_shown = 1;
}

void release_level_data() {
  release_level_bitmaps();
  release_level_model();
  release_level_undo();
  release_chunk_undo();
}

static void empty_chunk_undo_history() { empty_chunk_undo(); }

// The commands that replace the level in memory (or its files), which ask about unsaved
// changes first.
bool replaces_level(uint8_t mode) {
  switch (mode) {
    case 5: case 6: case 7: case 9: case 11: case 12: case 13: return true;
    default: return false;
  }
}

// The chunk editor changes chunks (and the tile selector their numbering) outside the
// level editor's history: its steps would no longer fit, so they are forgotten.
static void run_chunk_editor() {
  const std::vector<Chunk> before = chunkmap.chunks;
  chunk_editor();
  const bool same = before.size() == chunkmap.chunks.size() &&
                    (before.empty() || std::memcmp(before.data(), chunkmap.chunks.data(), before.size() * sizeof(Chunk)) == 0);
  if (!same) level_history_loaded(0);
}

void run_mode(uint8_t mode) {
  // A build from the project reads the project level's files: its unsaved edits first.
  const bool builds = mode == 14 || mode == 15;
  if ((replaces_level(mode) && !settle_unsaved_changes()) || (builds && !settle_unsaved_before_build())) {
    editor_mode = 0;
    return;
  }
  switch (mode) {
    case 1:
      level_editor_play = play_loaded_project;
      level_editor();
      offer_unsaved_saves();
      break;
    case 2:
      run_chunk_editor();
      break;
    case 3:
      run_block_analysis_tool();
      break;
    case 4:
      setup_screen(display, setup_actions);
      break;
    case 5:
      level_import_from_rom();
      break;
    case 6:
      load_level_from_lvl_file();
      break;
    case 7:
      project_level_load();
      break;
    case 8:
      SaveLevel();
      editor_mode = 0;
      break;
    case 9:
      load_chunkmap_from_itm_file();
      break;
    case 10:
      SaveChunkmap();
      editor_mode = 0;
      break;
    case 11:
      generate_aga_project_command();
      break;
    case 12:
      generate_genesis_project_command();
      break;
    case 13:
      load_project_command();
      break;
    case 14:
      build_aga_game_command();
      break;
    case 15:
      build_genesis_game_command();
      break;
    default:
      // Screens and commands not built yet return to the menu.
      editor_mode = 0;
      break;
  }
}

uint8_t main_menu_frame() {
  InputSource& in = input();
  in.poll();
  BITMAP* bb = back_buffer.get();
  fill_rect32(bb, MARGIN, MARGIN, screen_width, screen_height, 0);
  const int16_t half = static_cast<int16_t>(screen_width >> 1);
  if (frame_skip_open(display)) {
    text_out(display, bb, 1, static_cast<int16_t>(half - 64), 32, "MOSSFORGE demo 1");
    text_out(display, bb, 1, static_cast<int16_t>(half - 72), 42, "version " MOSSFORGE_VERSION);
    text_out(display, bb, 2, static_cast<int16_t>(screen_width - 96), static_cast<int16_t>(screen_height - 24),
             __DATE__);
    text_out(display, bb, 2, static_cast<int16_t>(screen_width - 72), static_cast<int16_t>(screen_height - 14),
             __TIME__);
  }
  menu_choice = menu_widget(display, static_cast<int16_t>(half - 136), 96, 264, 16, MAIN_MENU_TEXT);
  number_out_coloured(display, bb, 2, 30, 30, 3, menu_choice);
  const uint8_t mode = mode_for_menu_result(menu_choice);
  if (mode != 0) editor_mode = mode;
  present_frame(display);
  return menu_choice;
}

void main_menu() {
  for (;;) {
    editor_mode = 0;
    align_frame_counter(display);
    while (editor_mode == 0) {
      main_menu_frame();
      recovery_check();
      if (close_requested) {  // the window's close button is QUIT
        close_requested = 0;
        editor_mode = mode_for_menu_result(150);
      }
      if (input().key_down(KEY_ESC)) {
        wait_key_released(KEY_ESC);
        editor_mode = 255;
      }
    }
    empty_chunk_undo_history();
    // QUIT and Escape end the program, once unsaved changes are saved or given up.
    if (editor_mode == 255) {
      if (settle_unsaved_changes()) return;
      continue;
    }
    run_mode(editor_mode);
    // Only QUIT and Escape end the program: a command that failed has reported its
    // error and the level being edited stays loaded, so the menu comes back.
    editor_mode = 0;
  }
}
