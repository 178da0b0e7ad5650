// The program's state as a whole (its parts are declared in the state headers
// gamedata/level_state.h, render/view_state.h, ui/screen_state.h and ui/settings.h).
#pragma once

// Every program-wide record back to its start-up value: no level, nothing unsaved, the view
// at zoom 100 and camera 0, the display's mode, timing, clicks and prompt results cleared.
// The settings, the screen bitmaps and the interface images stay.
void reset_program_state();
