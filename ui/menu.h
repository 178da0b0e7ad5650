// The boxed text menu used by the main menu and the setup screens.
#pragma once
#include <cstdint>

#include "ui/display.h"

// Sets click_event from the mouse buttons that went down since the last call.
void read_click(Display& display);

// Draws the menu into back_buffer and reports: 0 nothing, n when entry n (1-based,
// separators counted) is under the mouse, 128 + n when it was left-clicked, 128 for a
// left click outside the box.
uint8_t menu_widget(Display& display, int16_t x, int16_t y, int16_t width, int16_t line_height, const char* text);
