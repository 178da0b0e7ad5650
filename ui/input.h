// The one place screens read the keyboard and mouse and show frames. The window uses
// Allegro's driver; tests install a ScriptedInput that plays keys, mouse and wheel
// frame by frame and keeps what was shown.
#pragma once
#include <allegro.h>

#include "ui/display.h"

class InputSource {
 public:
  virtual ~InputSource() = default;
  // Called by every screen loop and busy wait; lets a script advance.
  virtual void poll() = 0;
  virtual bool key_down(int scancode) = 0;
  // Marks a key as released (used after Enter ends a text prompt).
  virtual void release_key(int scancode) = 0;
  virtual int shifts() = 0;  // Allegro's key_shifts flags
  virtual bool keypressed() = 0;
  virtual int readkey() = 0;  // (scancode << 8) | character
  virtual void clear_keybuf() = 0;
  virtual int mouse_x() = 0;
  virtual int mouse_y() = 0;
  virtual int mouse_b() = 0;
  virtual int mouse_z() = 0;
  virtual void position_mouse(int x, int y) = 0;
  // Copies a w x h area of src at (sx, sy) to the screen at (dx, dy).
  virtual void present(BITMAP* src, int sx, int sy, int dx, int dy, int w, int h) = 0;
  virtual void vsync() = 0;
  // Frame pacing: returns once at least one tick of the display's timer has passed since
  // the last call.
  virtual void wait_tick(Display& display) = 0;
  // Sets a graphics mode (full screen or windowed) of w x h; false when refused.
  virtual bool set_graphics_mode(bool full, int w, int h) = 0;
};

InputSource& input();

// Work the program does outside its screens, called by the window's input: the frame hook
// once per editor frame (from wait_tick), the poll hook on every poll. Set by the editor at
// start-up (recovery snapshots, termination signals); unset in tests and batch commands.
void set_window_hooks(void (*frame_hook)(), void (*poll_hook)());
// Installs a source (tests); null restores the fallback source.
void set_input(InputSource* source);
// The source null restores: the Allegro driver unless a test program sets another.
void set_fallback_input(InputSource* source);

// Busy waits of the "act once per press" rule.
void wait_key_released(int scancode);
bool ctrl_down();
bool shift_down();
