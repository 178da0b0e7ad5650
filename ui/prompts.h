// Modal prompts and yes/no dialogs, drawn in the message band in the middle of the screen.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/display.h"

// Each prompt leaves its result in the display (text_entry, number_prompt_cancelled).

int16_t prompt_number(Display& display, int16_t min, int16_t max, int16_t current, const char* text);
// Escape cancels a text prompt: false, with the display's text_entry empty. Enter: true.
bool prompt_text(Display& display, uint8_t max_length, const char* text);
// Edits a line in place at screen (x, y): true and the edited line, or false on Escape.
bool edit_text_field(Display& display, int16_t x, int16_t y, uint8_t max_length, const char* initial,
                     std::string& line);
int prompt_key(Display& display, const char* text);
// Questions that do not fit the screen wrap: broken at spaces into lines of at most
// `columns` characters (a word longer than a line is cut where the line ends).
std::vector<std::string> wrapped_lines(const std::string& text, size_t columns);
// A question at screen x with "yES OR nO" below it; true for Y, false for N. One that does
// not fit from x wraps, each line centred, in a band 12 rows taller a line.
bool ask_yes_no(Display& display, const char* question, int x);
bool ask_save_metablocks(Display& display);
// A question that Y, N or Escape answers, centred (the question names its keys).
enum class Answer { Yes, No, Cancel };
Answer ask_yes_no_cancel(Display& display, const std::string& question);
// "SAVE <what> TO <files>" with "yES OR nO": the leave questions of the level editor.
bool ask_save_to(Display& display, const char* what, const std::string& files);
bool ask_save_layout(Display& display);
