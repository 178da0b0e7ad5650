// Owned Allegro bitmaps and the 32-bit colour conventions of the program.
#pragma once
#include <allegro.h>

#include <cstdint>
#include <memory>

struct BitmapDeleter {
  void operator()(BITMAP* b) const {
    // After the library has shut down its bitmaps are gone with it.
    if (b && system_driver) destroy_bitmap(b);
  }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;

// Pixels are 0xAARRGGBB; 0xFF00FF marks transparent pixels for masked blits.
constexpr uint32_t MASK_COLOUR = 0xFF00FF;

// A 32-bit memory bitmap, cleared to 0; null when it cannot be created.
BitmapPtr make_bitmap(int w, int h);

// Reads and writes one 32-bit pixel without clipping (callers stay inside the bitmap).
inline uint32_t pixel32(BITMAP* b, int x, int y) { return reinterpret_cast<uint32_t*>(b->line[y])[x] & 0xFFFFFF; }
inline void put_pixel32(BITMAP* b, int x, int y, uint32_t c) { reinterpret_cast<uint32_t*>(b->line[y])[x] = c; }

// Allegro with no display: memory bitmaps only, with the same channel order as the window
// (red in bits 16-23). Used by the batch commands and the tests. Returns false on failure.
bool init_headless_graphics();

// Sets the 32-bit channel order the program assumes, after a graphics mode was chosen.
void use_program_channel_order();
