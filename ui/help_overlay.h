// The editors' help screen: the frozen picture darkens over twelve frames under the help
// text until a key or a mouse button is pressed.
#pragma once

#include "ui/display.h"

void run_help_overlay_screen(Display& display, const char* text);
