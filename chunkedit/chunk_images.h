// Keeping a chunk's image and thumbnail in step with its cells, and writing a chunk's
// image out as a PNG file.
#pragma once
#include <string>

// Re-renders chunk i's image and its 64x64 thumbnail (creating the thumbnail slot when the
// chunkmap grew); the thumbnails follow the chunk count.
void refresh_chunk_images(int i);
// Drops images and thumbnails past the chunk count after chunks were removed.
void trim_chunk_images();

// "tile_XXX.png" for chunk i (at least three digits).
std::string chunk_png_name(int i);
// F12: writes chunk i as it is now to chunk_png_name(i) in the working directory and
// shows the file name; an error message when it has no area or cannot be written.
bool save_chunk_png(int i);
