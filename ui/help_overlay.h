// The editors' help screen: the frozen picture darkens over twelve frames under the help
// text until a key or a mouse button is pressed.
#pragma once

void run_help_overlay_screen(const char* text);
