#include "ui/scripted_input.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "ui/frame.h"

void frame_timer_tick();

ScriptedInput::ScriptedInput(int screen_w, int screen_h) {
  if (!system_driver) init_headless_graphics();
  screen = make_bitmap(screen_w, screen_h);
}

ScriptedInput& ScriptedInput::then(Step step) {
  steps_.push_back(std::move(step));
  return *this;
}
ScriptedInput& ScriptedInput::press(int k) {
  return then([k](ScriptedInput& s) { s.keys.insert(k); });
}
ScriptedInput& ScriptedInput::release(int k) {
  return then([k](ScriptedInput& s) { s.keys.erase(k); });
}
ScriptedInput& ScriptedInput::tap(int k) { return press(k).release(k); }

// Scancode for a typed character, as the keyboard driver would report it.
static int scancode_for(char c) {
  if (c >= 'a' && c <= 'z') return KEY_A + (c - 'a');
  if (c >= 'A' && c <= 'Z') return KEY_A + (c - 'A');
  if (c >= '1' && c <= '9') return KEY_1 + (c - '1');
  if (c == '0') return KEY_0;
  if (c == ' ') return KEY_SPACE;
  if (c == '\r' || c == '\n') return KEY_ENTER;
  if (c == '\b') return KEY_BACKSPACE;
  if (c == 27) return KEY_ESC;
  if (c == '.') return KEY_STOP;
  if (c == '/') return KEY_SLASH;
  return 0;
}

ScriptedInput& ScriptedInput::type(const std::string& text) {
  for (char c : text) {
    int ch = (c == '\n') ? '\r' : static_cast<unsigned char>(c);
    type_key(scancode_for(c), ch);
  }
  return *this;
}
ScriptedInput& ScriptedInput::type_key(int scancode, int ch) {
  return then([scancode, ch](ScriptedInput& s) { s.key_buffer.push_back((scancode << 8) | (ch & 0xFF)); });
}
ScriptedInput& ScriptedInput::move(int x, int y) {
  return then([x, y](ScriptedInput& s) { s.mx = x; s.my = y; });
}
ScriptedInput& ScriptedInput::click(int button) {
  int bit = button == 2 ? 2 : 1;
  then([bit](ScriptedInput& s) { s.mb |= bit; });
  return then([bit](ScriptedInput& s) { s.mb &= ~bit; });
}
ScriptedInput& ScriptedInput::wheel(int delta) {
  return then([delta](ScriptedInput& s) { s.mz += delta; });
}
ScriptedInput& ScriptedInput::idle(int polls) {
  for (int i = 0; i < polls; ++i) then([](ScriptedInput&) {});
  return *this;
}

void ScriptedInput::poll() {
  ++polls;
  if (!steps_.empty()) {
    Step step = std::move(steps_.front());
    steps_.pop_front();
    idle_polls_ = 0;
    step(*this);
    return;
  }
  if (++idle_polls_ > idle_limit) {
    idle_polls_ = 0;
    if (on_hang) {
      on_hang();
    } else {
      std::fprintf(stderr, "ScriptedInput: script ran out and the screen kept waiting\n");
      std::abort();
    }
  }
}

int ScriptedInput::readkey() {
  while (key_buffer.empty()) poll();
  int k = key_buffer.front();
  key_buffer.pop_front();
  return k;
}

void ScriptedInput::present(BITMAP* src, int sx, int sy, int dx, int dy, int w, int h) {
  ++presents;
  if (screen) blit(src, screen.get(), sx, sy, dx, dy, w, h);
}

void ScriptedInput::wait_tick(Display& display) {
  ++ticks;
  advance_frame_timer(display);
  display.screen_ticks = 0;
}

bool ScriptedInput::set_graphics_mode(bool full, int w, int h) {
  mode_requests.push_back({full, w, h});
  if (refuse_next > 0) {
    --refuse_next;
    return false;
  }
  screen = make_bitmap(w, h);
  return true;
}
