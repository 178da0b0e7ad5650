// The one-line status bar at the bottom of the level editor and the chunk editor: what is
// edited, how the camera behaves, where the level came from and whether edits are unsaved.
// The texts are built from plain values, so each state can be checked without a screen.
#pragma once
#include <allegro.h>

#include <cstdint>
#include <string>

#include "ui/display.h"

constexpr int STATUS_BAR_HEIGHT = 10;
constexpr uint32_t STATUS_BAR_COLOUR = 0xFF141C28;
constexpr const char* UNSAVED_TEXT = "UNSAVED";

struct LevelStatus {
  bool back_plane = false;
  bool metablock = false;
  uint8_t camera_state = 0;  // bit 7 (changed by a click this frame) is ignored
  int zoom_percent = 100;
  bool snap = false;
  std::string origin;
  bool unsaved = false;
  int32_t selected = 0;  // objects in the group selection ("SELECTED: n" when any)
};

struct ChunkStatus {
  int chunk = 0;
  int width = 0, height = 0;
  int marked = 0;
  uint8_t camera_state = 0;
  bool unsaved = false;
};

// The line for a screen max_chars characters wide. Fields are parted by two spaces, or by
// one when the line would not fit; then the origin loses its start ("..") and, last, the
// line is cut, "UNSAVED" staying at its end.
std::string level_status_text(const LevelStatus& status, size_t max_chars);
std::string chunk_status_text(const ChunkStatus& status, size_t max_chars);

// The camera field: "ROAMING", "FIXED", or "FIXED ESC: CLICK TO RELEASE" while Esc is ignored.
std::string camera_status_text(uint8_t camera_state);

// Characters that fit the bar on a screen screen_width pixels wide.
size_t status_bar_chars(int screen_width);

// Fills the bottom STATUS_BAR_HEIGHT rows of the layer's visible area and writes the line
// into it (ink A, "UNSAVED" in ink B); marks what it drew for the layer composition.
void draw_status_bar(const Display& display, BITMAP* layer, const std::string& text);
