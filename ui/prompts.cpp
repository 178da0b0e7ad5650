#include "ui/prompts.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"

namespace {

int16_t centred_x(const Display& display, const char* text) {
  return static_cast<int16_t>(display.settings.screen_width / 2 - 4 * static_cast<int>(std::strlen(text)));
}

void clear_back_buffer(Display& display) { clear_to_color(display.back_buffer.get(), 0); }

void draw_prompt_text(Display& display, const char* text) {
  if (frame_skip_open(display)) text_out(display, display.back_buffer.get(), 0, centred_x(display, text), 8, text);
}

bool enter_down() { return input().key_down(KEY_ENTER) || input().key_down(KEY_ENTER_PAD); }
void wait_enter_released() {
  wait_key_released(KEY_ENTER);
  wait_key_released(KEY_ENTER_PAD);
}

bool digit_down(int d) { return input().key_down(KEY_0 + d) || input().key_down(KEY_0_PAD + d); }

bool any_digit_down() {
  for (int d = 0; d <= 9; ++d)
    if (digit_down(d)) return true;
  return false;
}

// Characters that text prompts refuse (they are not valid in file names).
bool refused_character(int c) { return c == '!' || c == '*' || c == '/' || c == '<' || c == '>' || c == '?'; }

enum class LineState { Typing, Entered, Cancelled };

// One pass of keyboard reading shared by prompt_text and edit_text_field: Enter ends the
// line, Escape cancels it.
LineState read_text_key(Display& display, uint8_t max_length) {
  InputSource& in = input();
  if (!in.keypressed()) {
    in.clear_keybuf();
    return LineState::Typing;
  }
  int k = in.readkey();
  in.clear_keybuf();
  int scancode = k >> 8, ch = k & 0xFF;
  if (scancode == KEY_ENTER || scancode == KEY_ENTER_PAD) return LineState::Entered;
  if (scancode == KEY_ESC) return LineState::Cancelled;
  if (scancode == KEY_BACKSPACE) {
    if (!display.text_entry.empty()) display.text_entry.pop_back();
    return LineState::Typing;
  }
  if (ch != 0 && display.text_entry.size() < max_length && !refused_character(ch))
    display.text_entry.push_back(static_cast<char>(ch));
  return LineState::Typing;
}

// A cancelled line leaves an empty entry and no Escape behind for the caller's screen.
bool cancel_line(Display& display) {
  display.text_entry.clear();
  wait_key_released(KEY_ESC);
  return false;
}

// A question's lines, drawn from band row 8 on, 12 rows apart: the text at x when it fits
// the screen there, else wrapped (wrapped_lines), each line centred. `answer` adds a
// centred line below them. Returns the height of the band that holds them.
int draw_question(Display& display, const std::string& text, int x, const char* answer) {
  const int width = display.settings.screen_width;
  const bool fits = x >= 0 && x + 8 * static_cast<int>(text.size()) <= width;
  std::vector<std::string> lines{text};
  if (!fits) lines = wrapped_lines(text, static_cast<size_t>(std::max(1, width / 8 - 2)));
  const int height = MESSAGE_BAND_HEIGHT + 12 * (static_cast<int>(lines.size()) - 1);
  if (answer) lines.push_back(answer);
  if (frame_skip_open(display)) {
    for (size_t i = 0; i < lines.size(); ++i) {
      const int line_x = fits && i == 0 ? x : width / 2 - 4 * static_cast<int>(lines[i].size());
      text_out(display, display.back_buffer.get(), 0, static_cast<int16_t>(line_x), static_cast<int16_t>(8 + 12 * i),
               lines[i].c_str());
    }
  }
  return height;
}

}  // namespace

std::vector<std::string> wrapped_lines(const std::string& text, size_t columns) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (text.size() - start > columns) {
    size_t space = text.rfind(' ', start + columns);
    if (space == std::string::npos || space <= start) {
      lines.push_back(text.substr(start, columns));  // one word longer than a line
      start += columns;
      continue;
    }
    lines.push_back(text.substr(start, space - start));
    start = space + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

int16_t prompt_number(Display& display, int16_t min, int16_t max, int16_t current, const char* text) {
  display.number_prompt_cancelled = false;
  align_frame_counter(display);
  int allowed = 1;
  for (int m = max; m >= 10; m /= 10) ++allowed;
  int value = 0, typed = 0;
  InputSource& in = input();
  for (;;) {
    in.poll();
    clear_back_buffer(display);
    draw_prompt_text(display, text);
    number_out(display, display.back_buffer.get(), static_cast<int16_t>(display.settings.screen_width / 2 + 8), 20, 1,
               value);
    present_message_band(display);

    if (in.key_down(KEY_BACKSPACE) && typed > 0) {
      value /= 10;
      --typed;
      wait_key_released(KEY_BACKSPACE);
      continue;
    }
    if (enter_down()) {
      wait_enter_released();
      if (value > max) return max;
      if (value < min) return min;
      return static_cast<int16_t>(value);
    }
    if (in.key_down(KEY_ESC)) {
      wait_key_released(KEY_ESC);
      display.number_prompt_cancelled = true;
      return current;
    }
    if (typed >= allowed) continue;

    while (!any_digit_down() && !enter_down() && !in.key_down(KEY_ESC) && !in.key_down(KEY_BACKSPACE)) in.poll();
    if (!any_digit_down()) continue;
    int digit = -1;
    if (value == 0 && digit_down(0)) {
      digit = 0;
    } else {
      for (int d = 1; d <= 9 && digit < 0; ++d)
        if (digit_down(d)) digit = d;
      if (digit < 0) digit = 0;
    }
    if (!(value == 0 && digit == 0)) {
      value = value * 10 + digit;
      ++typed;
    }
    while (any_digit_down()) in.poll();
  }
}

bool prompt_text(Display& display, uint8_t max_length, const char* text) {
  align_frame_counter(display);
  display.text_entry.clear();
  InputSource& in = input();
  in.clear_keybuf();
  LineState state = LineState::Typing;
  for (;;) {
    in.poll();
    if (state == LineState::Cancelled) return cancel_line(display);
    if (state == LineState::Entered || enter_down()) {
      in.release_key(KEY_ENTER);
      in.release_key(KEY_ENTER_PAD);
      return true;
    }
    clear_back_buffer(display);
    if (frame_skip_open(display)) {
      text_out(display, display.back_buffer.get(), 0, centred_x(display, text), 8, text);
      text_out(display, display.back_buffer.get(), 2, centred_x(display, display.text_entry.c_str()), 20,
               display.text_entry.c_str());
    }
    present_message_band(display);
    state = read_text_key(display, max_length);
  }
}

bool edit_text_field(Display& display, int16_t x, int16_t y, uint8_t max_length, const char* initial,
                     std::string& line) {
  align_frame_counter(display);
  display.text_entry = initial ? initial : "";
  if (display.text_entry.size() > max_length) display.text_entry.resize(max_length);
  InputSource& in = input();
  in.clear_keybuf();
  BitmapPtr field = make_bitmap(8 * max_length + 8, 10);
  LineState state = LineState::Typing;
  while (state == LineState::Typing && !enter_down()) {
    in.poll();
    if (field) {
      clear_to_color(field.get(), 0xFF3F00);
      // The field has no margin: draw the text 64 pixels up and left so it lands at (0, 1).
      if (frame_skip_open(display)) text_out(display, field.get(), 2, -MARGIN, 1 - MARGIN, display.text_entry.c_str());
      if (display.timer_ticks & 16) {
        const int cx = 8 * static_cast<int>(display.text_entry.size()) + 1;
        for (int row = 1; row <= 9; ++row)
          for (int col = cx; col <= cx + 1; ++col)
            if (col < field->w) put_pixel32(field.get(), col, row, 0x00C0FF);
      }
      if (display.settings.vsync_enabled) in.vsync();
      in.present(field.get(), 0, 0, x, y - 1, field->w, field->h);
    }
    state = read_text_key(display, max_length);
  }
  if (state == LineState::Cancelled) return cancel_line(display);
  in.release_key(KEY_ENTER);
  in.release_key(KEY_ENTER_PAD);
  line = display.text_entry;
  return true;
}

int prompt_key(Display& display, const char* text) {
  align_frame_counter(display);
  InputSource& in = input();
  in.clear_keybuf();
  clear_back_buffer(display);
  draw_prompt_text(display, text);
  present_message_band(display);
  while (!in.keypressed()) in.poll();
  int k = in.readkey();
  in.clear_keybuf();
  return k >> 8;
}

bool ask_yes_no(Display& display, const char* question, int x) {
  align_frame_counter(display);
  InputSource& in = input();
  clear_back_buffer(display);
  present_message_band(display, draw_question(display, question, x, "yES OR nO"));
  while (!in.key_down(KEY_Y) && !in.key_down(KEY_N)) in.poll();
  clear_back_buffer(display);
  bool yes = in.key_down(KEY_Y);
  wait_key_released(yes ? KEY_Y : KEY_N);
  return yes;
}

Answer ask_yes_no_cancel(Display& display, const std::string& question) {
  align_frame_counter(display);
  InputSource& in = input();
  clear_back_buffer(display);
  present_message_band(display, draw_question(display, question, centred_x(display, question.c_str()), nullptr));
  while (!in.key_down(KEY_Y) && !in.key_down(KEY_N) && !in.key_down(KEY_ESC)) in.poll();
  clear_back_buffer(display);
  const int key = in.key_down(KEY_ESC) ? KEY_ESC : in.key_down(KEY_Y) ? KEY_Y : KEY_N;
  wait_key_released(key);
  return key == KEY_Y ? Answer::Yes : key == KEY_N ? Answer::No : Answer::Cancel;
}

bool ask_save_to(Display& display, const char* what, const std::string& files) {
  const std::string question = std::string("SAVE ") + what + " TO " + files;
  return ask_yes_no(display, question.c_str(),
                    display.settings.screen_width / 2 - 4 * static_cast<int>(question.size()));
}

bool ask_save_metablocks(Display& display) {
  return ask_yes_no(display, "DO YOU WISH TO SAVE CHANGES TO THE METABLOCK DATA",
                    display.settings.screen_width / 2 - 196);
}

bool ask_save_layout(Display& display) {
  return ask_yes_no(display, "DO YOU WISH TO SAVE CHANGES TO THE LEVEL LAYOUT",
                    display.settings.screen_width / 2 - 188);
}
