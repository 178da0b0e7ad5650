// The frame pattern every screen follows, and the 60 Hz timer that paces the editors.
#pragma once

// The timer callback: 60 calls a second (period 19886 ticks of the 1193181 Hz clock).
constexpr long FRAME_TIMER_PERIOD = 19886;
void frame_timer_tick();

// Text and numbers are drawn only on frames the frame-skip setting shows.
bool frame_skip_open();
// Moves frame_counter back to a shown frame, so screens that do not advance it
// (menus, prompts) always show their text.
void align_frame_counter();

// Frame pattern steps 3-5: cursor at the mouse (its centre under the pointer),
// optional retrace wait, visible area of back_buffer to the screen.
void present_frame();
// Copies the message band (screen rows 0-35 of back_buffer) to the middle of the screen.
void present_message_band();
// Editors, after showing a frame: count it and wait for the next timer tick.
void end_editor_frame();
