#include "ui/prompts.h"

#include <cstring>

#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

std::string text_entry;

namespace {

int16_t centred_x(const char* text) {
  return static_cast<int16_t>(screen_width / 2 - 4 * static_cast<int>(std::strlen(text)));
}

void clear_back_buffer() { clear_to_color(back_buffer.get(), 0); }

void draw_prompt_text(const char* text) {
  if (frame_skip_open()) text_out(back_buffer.get(), 0, centred_x(text), 8, text);
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
LineState read_text_key(uint8_t max_length) {
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
    if (!text_entry.empty()) text_entry.pop_back();
    return LineState::Typing;
  }
  if (ch != 0 && text_entry.size() < max_length && !refused_character(ch)) text_entry.push_back(static_cast<char>(ch));
  return LineState::Typing;
}

// A cancelled line leaves an empty entry and no Escape behind for the caller's screen.
bool cancel_line() {
  text_entry.clear();
  wait_key_released(KEY_ESC);
  return false;
}

// A text that fits the screen: a longer one keeps its end (file names end with what matters).
std::string fitted(const std::string& text) {
  const size_t room = static_cast<size_t>(screen_width / 8);
  return text.size() <= room ? text : text.substr(text.size() - room);
}

}  // namespace

bool number_prompt_cancelled = false;

int16_t prompt_number(int16_t min, int16_t max, int16_t current, const char* text) {
  number_prompt_cancelled = false;
  align_frame_counter();
  int allowed = 1;
  for (int m = max; m >= 10; m /= 10) ++allowed;
  int value = 0, typed = 0;
  InputSource& in = input();
  for (;;) {
    in.poll();
    clear_back_buffer();
    draw_prompt_text(text);
    number_out(back_buffer.get(), static_cast<int16_t>(screen_width / 2 + 8), 20, 1, value);
    present_message_band();

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
      number_prompt_cancelled = true;
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

bool prompt_text(uint8_t max_length, const char* text) {
  align_frame_counter();
  text_entry.clear();
  InputSource& in = input();
  in.clear_keybuf();
  LineState state = LineState::Typing;
  for (;;) {
    in.poll();
    if (state == LineState::Cancelled) return cancel_line();
    if (state == LineState::Entered || enter_down()) {
      in.release_key(KEY_ENTER);
      in.release_key(KEY_ENTER_PAD);
      return true;
    }
    clear_back_buffer();
    if (frame_skip_open()) {
      text_out(back_buffer.get(), 0, centred_x(text), 8, text);
      text_out(back_buffer.get(), 2, centred_x(text_entry.c_str()), 20, text_entry.c_str());
    }
    present_message_band();
    state = read_text_key(max_length);
  }
}

bool edit_text_field(int16_t x, int16_t y, uint8_t max_length, const char* initial, std::string& line) {
  align_frame_counter();
  text_entry = initial ? initial : "";
  if (text_entry.size() > max_length) text_entry.resize(max_length);
  InputSource& in = input();
  in.clear_keybuf();
  BitmapPtr field = make_bitmap(8 * max_length + 8, 10);
  LineState state = LineState::Typing;
  while (state == LineState::Typing && !enter_down()) {
    in.poll();
    if (field) {
      clear_to_color(field.get(), 0xFF3F00);
      // The field has no margin: draw the text 64 pixels up and left so it lands at (0, 1).
      if (frame_skip_open()) text_out(field.get(), 2, -MARGIN, 1 - MARGIN, text_entry.c_str());
      if (timer_ticks & 16) {
        const int cx = 8 * static_cast<int>(text_entry.size()) + 1;
        for (int row = 1; row <= 9; ++row)
          for (int col = cx; col <= cx + 1; ++col)
            if (col < field->w) put_pixel32(field.get(), col, row, 0x00C0FF);
      }
      if (vsync_enabled) in.vsync();
      in.present(field.get(), 0, 0, x, y - 1, field->w, field->h);
    }
    state = read_text_key(max_length);
  }
  if (state == LineState::Cancelled) return cancel_line();
  in.release_key(KEY_ENTER);
  in.release_key(KEY_ENTER_PAD);
  line = text_entry;
  return true;
}

int prompt_key(const char* text) {
  align_frame_counter();
  InputSource& in = input();
  in.clear_keybuf();
  clear_back_buffer();
  draw_prompt_text(text);
  present_message_band();
  while (!in.keypressed()) in.poll();
  int k = in.readkey();
  in.clear_keybuf();
  return k >> 8;
}

bool ask_yes_no(const char* question, int x) {
  align_frame_counter();
  InputSource& in = input();
  clear_back_buffer();
  if (frame_skip_open()) {
    text_out(back_buffer.get(), 0, static_cast<int16_t>(x), 8, question);
    text_out(back_buffer.get(), 0, static_cast<int16_t>(screen_width / 2 - 36), 20, "yES OR nO");
  }
  present_message_band();
  while (!in.key_down(KEY_Y) && !in.key_down(KEY_N)) in.poll();
  clear_back_buffer();
  bool yes = in.key_down(KEY_Y);
  wait_key_released(yes ? KEY_Y : KEY_N);
  return yes;
}

Answer ask_yes_no_cancel(const std::string& question) {
  align_frame_counter();
  InputSource& in = input();
  const std::string shown = fitted(question);
  clear_back_buffer();
  draw_prompt_text(shown.c_str());
  present_message_band();
  while (!in.key_down(KEY_Y) && !in.key_down(KEY_N) && !in.key_down(KEY_ESC)) in.poll();
  clear_back_buffer();
  const int key = in.key_down(KEY_ESC) ? KEY_ESC : in.key_down(KEY_Y) ? KEY_Y : KEY_N;
  wait_key_released(key);
  return key == KEY_Y ? Answer::Yes : key == KEY_N ? Answer::No : Answer::Cancel;
}

bool ask_save_to(const char* what, const std::string& files) {
  const std::string question = fitted(std::string("SAVE ") + what + " TO " + files);
  return ask_yes_no(question.c_str(), screen_width / 2 - 4 * static_cast<int>(question.size()));
}

bool ask_save_metablocks() {
  return ask_yes_no("DO YOU WISH TO SAVE CHANGES TO THE METABLOCK DATA", screen_width / 2 - 196);
}

bool ask_save_layout() { return ask_yes_no("DO YOU WISH TO SAVE CHANGES TO THE LEVEL LAYOUT", screen_width / 2 - 188); }
