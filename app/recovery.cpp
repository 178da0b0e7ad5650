#include "app/recovery.h"

#include <allegro.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>

#include "app/level_commands.h"
#include "app/level_file_commands.h"
#include "app/problem_text.h"
#include "app/project_commands.h"
#include "chunkedit/chunk_editor_state.h"
#include "files/recovery_snapshot.h"
#include "files/shown_names.h"
#include "gamedata/level_state.h"
#include "gamedata/chunk_graphics.h"
#include "gamedata/rom_import.h"
#include "leveledit/level_undo.h"
#include "ui/input.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

std::string recovery_dir = ".recovery";
double snapshot_interval = 30;

namespace {

using Clock = std::chrono::steady_clock;

// What this run has on disk: the blocks and origin of the snapshot it wrote or recovered.
struct OnDisk {
  bool present = false;
  RecoveryBlocks blocks;
  LevelOrigin origin;
};
OnDisk on_disk;
bool active = false;
Clock::time_point last_check;
bool checked_before = false;
double unsaved_seconds = 0;
bool write_failure_reported = false;
volatile sig_atomic_t pending_signal = 0;

uint8_t parts_now() {
  uint8_t parts = unsaved_parts();
  // The chunk editor's open pass changes the chunkmap before it is confirmed.
  if (chunks_changed) parts |= UNSAVED_CHUNKS;
  return parts;
}

uint8_t parts_of(const RecoveryBlocks& blocks) {
  return static_cast<uint8_t>((blocks[RECOVERY_FRONT].empty() ? 0 : UNSAVED_FRONT) |
                              (blocks[RECOVERY_BACK].empty() ? 0 : UNSAVED_BACK) |
                              (blocks[RECOVERY_CHUNKS].empty() ? 0 : UNSAVED_CHUNKS));
}

bool build_blocks(uint8_t parts, RecoveryBlocks& blocks, std::string& why) {
  return build_recovery_blocks((parts & UNSAVED_FRONT) ? &front_layout : nullptr,
                               (parts & UNSAVED_BACK) ? &back_layout : nullptr,
                               (parts & UNSAVED_CHUNKS) ? &chunkmap : nullptr, blocks, why);
}

// Writes the parts unless the snapshot on disk holds exactly them. A failure is reported
// once a run (not while the program is ending on a signal).
void write_snapshot(uint8_t parts, bool may_report) {
  if (level_origin.source == LevelSource::None) return;
  RecoveryBlocks blocks;
  std::string why;
  bool ok = build_blocks(parts, blocks, why);
  if (ok && on_disk.present && blocks == on_disk.blocks && level_origin == on_disk.origin) return;
  ok = ok && write_recovery_snapshot(recovery_dir, level_origin, static_cast<int64_t>(std::time(nullptr)), blocks, why);
  if (ok) {
    on_disk = OnDisk{true, std::move(blocks), level_origin};
  } else if (may_report && !write_failure_reported) {
    write_failure_reported = true;
    report_error("ERROR: Cannot write the recovery snapshot in \"" + recovery_dir + "\": " + why + ".");
  }
}

void end_on_signal() {
  const int sig = pending_signal;
  const uint8_t parts = parts_now();
  if (parts) write_snapshot(parts, false);
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void on_termination_signal(int sig) { pending_signal = sig; }
void on_close_button() { close_requested = 1; }

void poll_hook() {
  if (pending_signal) end_on_signal();
}

void frame_hook() {
  poll_hook();
  recovery_check();
}

std::string local_time(int64_t t, const char* format) {
  const std::time_t tt = static_cast<std::time_t>(t);
  std::tm tm{};
  localtime_r(&tt, &tm);
  char text[32];
  std::strftime(text, sizeof text, format, &tm);
  return text;
}

// "MAP 01", "LEVEL 05 OF <project>", then the .lvl and .itm files loaded over it.
std::string origin_text(const LevelOrigin& o) {
  std::string text = o.source == LevelSource::RomMap
                         ? format_text("MAP %02X", o.number)
                         : format_text("LEVEL %02X OF %s", o.number, shown_file_name(o.project_file).c_str());
  if (!o.lvl_file.empty()) text += " WITH " + shown_file_name(o.lvl_file);
  if (!o.itm_file.empty()) text += (o.lvl_file.empty() ? " WITH " : " AND ") + shown_file_name(o.itm_file);
  return text;
}

// Moves the snapshot to discarded/; with a reason, the user is told why it was not used.
void set_aside(const std::string& reason) {
  std::string where, error;
  const bool moved =
      move_recovery_snapshot_aside(recovery_dir, local_time(std::time(nullptr), "%Y%m%d-%H%M%S"), where, error);
  if (!reason.empty())
    report_error("ERROR: The recovery snapshot cannot be used: " + reason + "." +
                 (moved ? " It was moved to " + where + "." : " It could not be moved aside: " + error + "."));
  else if (!moved)
    report_error("ERROR: The recovery snapshot could not be moved aside: " + error + ".");
}

// Loads the level as its origin says; the files of parts the snapshot holds are only named.
bool load_origin(const RecoverySnapshot& s, std::string& why) {
  const LevelOrigin& o = s.origin;
  if (o.source == LevelSource::RomMap) {
    if (level_import_map(o.number) != 0) {
      why = format_text("map %02X of \"%s\" could not be loaded", o.number, ROM_PATH);
      return false;
    }
  } else if (load_project_file(o.project_file) < 0 || project_level_load_number(o.number) != 0) {
    why = format_text("level %02X of the project \"%s\" could not be loaded", o.number, o.project_file.c_str());
    return false;
  }
  if (!o.lvl_file.empty()) {
    if (!s.front && load_level_file(o.lvl_file) != 0) {
      why = "its level file \"" + o.lvl_file + "\" could not be loaded";
      return false;
    }
    level_file_name = level_origin.lvl_file = o.lvl_file;
  }
  if (!o.itm_file.empty()) {
    if (!s.chunks && load_chunkmap_file(o.itm_file) != 0) {
      why = "its chunkmap file \"" + o.itm_file + "\" could not be loaded";
      return false;
    }
    chunkmap_file_name = level_origin.itm_file = o.itm_file;
  }
  return true;
}

}  // namespace

void recovery_begin() {
  if (const char* seconds = std::getenv("MOSSFORGE_SNAPSHOT_SECONDS")) {
    const double v = std::atof(seconds);
    if (v > 0) snapshot_interval = v;
  }
  set_close_button_callback(on_close_button);
  struct sigaction sa {};
  sa.sa_handler = on_termination_signal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
  set_window_hooks(frame_hook, poll_hook);
  active = true;
}

bool recover_at_start_up() {
  RecoverySnapshot s;
  std::string why;
  Problem unread;
  switch (read_recovery_snapshot(recovery_dir, s, why, &unread)) {
    case SnapshotState::Absent:
      return false;
    case SnapshotState::Damaged:
      set_aside(why.empty() ? problem_text(unread) : why);
      return false;
    case SnapshotState::Present:
      break;
  }
  const std::string question = "RECOVER UNSAVED CHANGES OF " + origin_text(s.origin) + " FROM " +
                               local_time(s.time, "%Y.%m.%d %H:%M:%S") + "? (Y/N)";
  if (!ask_yes_no(display, question.c_str(), screen_width / 2 - 4 * static_cast<int>(question.size()))) {
    set_aside("");
    return false;
  }
  if (!load_origin(s, why)) {
    set_aside(why);
    return false;
  }
  uint8_t parts = 0;
  if (s.front) {
    front_layout = std::move(*s.front);
    parts |= UNSAVED_FRONT;
  }
  if (s.back) {
    back_layout = std::move(*s.back);
    parts |= UNSAVED_BACK;
  }
  if (s.chunks) {
    chunkmap = std::move(*s.chunks);
    parts |= UNSAVED_CHUNKS;
    render_all_chunks(chunkmap, level_bitmaps);
    build_chunk_thumbnails(chunkmap, level_bitmaps);
  }
  mark_parts_unsaved(parts);
  level_history_unsaved(level_changed_flags);
  // The snapshot stays until the parts are saved: it still holds them whole.
  RecoveryBlocks blocks;
  if (build_blocks(parts, blocks, why)) on_disk = OnDisk{true, std::move(blocks), level_origin};
  return true;
}

void recovery_check() {
  if (!active) return;
  const Clock::time_point now = Clock::now();
  const double elapsed = checked_before ? std::chrono::duration<double>(now - last_check).count() : 0;
  last_check = now;
  checked_before = true;
  const uint8_t parts = parts_now();
  if (!parts) {
    unsaved_seconds = 0;
    if (on_disk.present) remove_recovery_snapshot(recovery_dir);
    on_disk.present = false;
    return;
  }
  unsaved_seconds += elapsed;
  // A part saved since the snapshot must not come back from it.
  const bool saved_since = on_disk.present && (parts_of(on_disk.blocks) & ~parts);
  if (unsaved_seconds < snapshot_interval && !saved_since) return;
  unsaved_seconds = 0;
  write_snapshot(parts, true);
}

void recovery_end() {
  if (on_disk.present) remove_recovery_snapshot(recovery_dir);
  on_disk.present = false;
}

void recovery_reset(bool on) {
  active = on;
  on_disk = OnDisk();
  checked_before = false;
  unsaved_seconds = 0;
  write_failure_reported = false;
}
