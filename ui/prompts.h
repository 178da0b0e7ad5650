// Modal prompts and yes/no dialogs, drawn in the message band in the middle of the screen.
#pragma once
#include <cstdint>
#include <string>

// The line that prompt_text and edit_text_field leave behind.
extern std::string text_entry;

int16_t prompt_number(int16_t min, int16_t max, int16_t current, const char* text);
// Whether the last prompt_number ended with Escape (it then returned `current`).
extern bool number_prompt_cancelled;
// Escape cancels a text prompt: false, with text_entry empty. Enter: true.
bool prompt_text(uint8_t max_length, const char* text);
// Edits a line in place at screen (x, y): true and the edited line, or false on Escape.
bool edit_text_field(int16_t x, int16_t y, uint8_t max_length, const char* initial, std::string& line);
int prompt_key(const char* text);
// A question at screen x with "yES OR nO" below it; true for Y, false for N.
bool ask_yes_no(const char* question, int x);
bool ask_save_metablocks();
// A question that Y, N or Escape answers, centred (the question names its keys).
enum class Answer { Yes, No, Cancel };
Answer ask_yes_no_cancel(const std::string& question);
// "SAVE <what> TO <files>" with "yES OR nO": the leave questions of the level editor.
bool ask_save_to(const char* what, const std::string& files);
bool ask_save_layout();
