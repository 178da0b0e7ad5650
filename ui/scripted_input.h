// Scripted keyboard, mouse and screen for tests: each poll applies the next scripted step;
// present() copies into an in-memory screen that the test can read back.
#pragma once
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "gamedata/bitmap.h"
#include "ui/input.h"

class ScriptedInput final : public InputSource {
 public:
  using Step = std::function<void(ScriptedInput&)>;

  ScriptedInput(int screen_w, int screen_h);

  // Script building: each call queues one step, applied at one poll.
  ScriptedInput& then(Step step);
  ScriptedInput& press(int scancode);    // key down
  ScriptedInput& release(int scancode);  // key up
  ScriptedInput& tap(int scancode);      // down for one poll, then up
  ScriptedInput& type(const std::string& text);  // characters into the key buffer
  ScriptedInput& type_key(int scancode, int ch = 0);
  ScriptedInput& move(int x, int y);
  ScriptedInput& click(int button = 1);  // button down for one poll, then up
  ScriptedInput& wheel(int delta);
  ScriptedInput& idle(int polls = 1);
  bool script_done() const { return steps_.empty(); }

  // Polls allowed after the script ran out before the run is treated as hung.
  int idle_limit = 20000;
  // What happens on a hang; the default prints a message and aborts.
  std::function<void()> on_hang;

  // Current state, also writable directly.
  std::set<int> keys;
  std::set<int> keys_asked;  // every key a screen read, for the tests of the help texts
  int mx = 0, my = 0, mb = 0, mz = 0, key_shift_flags = 0;
  std::deque<int> key_buffer;
  BitmapPtr screen;  // what the screen shows
  int presents = 0, polls = 0, ticks = 0, vsyncs = 0;

  void poll() override;
  bool key_down(int k) override {
    keys_asked.insert(k);
    return keys.count(k) != 0;
  }
  void release_key(int k) override { keys.erase(k); }
  int shifts() override { return key_shift_flags; }
  bool keypressed() override { return !key_buffer.empty(); }
  int readkey() override;
  void clear_keybuf() override { key_buffer.clear(); }
  int mouse_x() override { return mx; }
  int mouse_y() override { return my; }
  int mouse_b() override { return mb; }
  int mouse_z() override { return mz; }
  void position_mouse(int x, int y) override { mx = x; my = y; }
  void present(BITMAP* src, int sx, int sy, int dx, int dy, int w, int h) override;
  void vsync() override { ++vsyncs; }
  void wait_tick(Display& display) override;
  bool set_graphics_mode(bool full, int w, int h) override;
  // Graphics modes asked for, and whether the next ones are refused.
  struct ModeRequest {
    bool full;
    int w, h;
  };
  std::vector<ModeRequest> mode_requests;
  int refuse_next = 0;  // this many next requests are refused

 private:
  std::deque<Step> steps_;
  int idle_polls_ = 0;
};

// Installs a ScriptedInput for the lifetime of the guard.
struct ScopedInput {
  explicit ScopedInput(InputSource& s) { set_input(&s); }
  ~ScopedInput() { set_input(nullptr); }
};
