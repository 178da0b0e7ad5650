// Crash recovery in the editor: snapshots of the unsaved parts of the level while it runs,
// the question at start-up when one is found, and the ends of a run (QUIT, the window's
// close button, SIGTERM and SIGHUP). Batch commands use none of this.
#pragma once
#include <string>

// Where the snapshot is kept (".recovery" in the working directory).
extern std::string recovery_dir;
// Seconds of unsaved time between two snapshots: 30, or MOSSFORGE_SNAPSHOT_SECONDS.
extern double snapshot_interval;

// Installs the close button callback, the SIGTERM / SIGHUP handlers and the window hooks
// that run recovery_check between frames; reads MOSSFORGE_SNAPSHOT_SECONDS.
void recovery_begin();
// Before the map-number prompt: offers the snapshot found in recovery_dir. True when the
// level was recovered (loaded from its origin, the snapshot's parts put in and marked
// unsaved); false when there was none, it was declined or it could not be used (then it is
// reported and moved to recovery_dir/discarded/).
bool recover_at_start_up();
// Between frames: writes a snapshot after snapshot_interval seconds of unsaved time (when
// the data differs from the one on disk), at once when parts it holds were saved since,
// and removes it when nothing is unsaved.
void recovery_check();
// A clean end of the run (QUIT, Escape in the main menu): the snapshot goes.
void recovery_end();
// Forgets what this run wrote; active turns recovery_check on or off (recovery_begin turns
// it on: the checks never run in batch commands or in tests that do not ask for them).
void recovery_reset(bool active);
