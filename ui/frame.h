// The frame pattern every screen follows, and the 60 Hz timer that paces the editors.
#pragma once

#include "ui/display.h"

// The timer: 60 ticks a second (period 19886 ticks of the 1193181 Hz clock); each tick
// advances the display's frame timing (the program's timer callback, frame_timer_tick,
// calls this for its display).
constexpr long FRAME_TIMER_PERIOD = 19886;
void advance_frame_timer(Display& display);

// Text and numbers are drawn only on frames the frame-skip setting shows.
bool frame_skip_open(const Display& display);
// Moves frame_counter back to a shown frame, so screens that do not advance it
// (menus, prompts) always show their text.
void align_frame_counter(Display& display);

// Frame pattern steps 3-5: cursor at the mouse (its centre under the pointer),
// optional retrace wait, visible area of the back buffer to the screen.
void present_frame(Display& display);
// Editors' screens: the retrace wait when VSYNC is on (every frame), then the back buffer's
// visible area to the screen on the frames frame skip shows, those that drew their texts.
void show_editor_frame(const Display& display);
// Copies the message band (screen rows 0 to height - 1 of the back buffer; 36 rows unless
// a question takes more lines) to the middle of the screen.
constexpr int MESSAGE_BAND_HEIGHT = 36;
void present_message_band(const Display& display, int height = MESSAGE_BAND_HEIGHT);
// Editors, after showing a frame: count it and wait for the next timer tick.
void end_editor_frame(Display& display);
