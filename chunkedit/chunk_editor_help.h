// The help screens of the chunk editor and its selectors.
#pragma once

extern const char* const CHUNK_EDITOR_HELP;
extern const char* const TILE_SELECTOR_HELP;
extern const char* const BLOCK_SELECTOR_HELP;

// Shows `text` over the last frame, darkening it by an eighth per paced frame for up to
// 12 frames; stays while F1 is held, then until a key or a mouse button is pressed.
// Afterwards the keyboard buffer is empty, no key is down and the mouse is back where it
// was. Sets help_requested while it runs.
void run_help_overlay(const char* text);
