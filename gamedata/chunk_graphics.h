// Chunk images and their 64x64 thumbnails.
#pragma once
#include <array>

#include "gamedata/level_bitmap_set.h"

// A (16 * width) x (16 * height) image of a chunk from the block bitmaps; null (no area) for
// an empty chunk. Blocks without a bitmap draw transparent; bit 12 flips a block upside down.
BitmapPtr render_chunk_bitmap(const Chunk& chunk, const std::array<BitmapPtr, BLOCK_SLOTS>& blocks);

// Rebuilds slot i of the chunk bitmaps from chunk i of map (the slot is emptied when the
// map has no chunk i).
void render_chunk(const ChunkMap& map, LevelBitmaps& bitmaps, int i);
// render_chunk for every chunk of map; slots past the chunk count are emptied.
void render_all_chunks(const ChunkMap& map, LevelBitmaps& bitmaps);

// Shrinks src (null: an image with no area) into the size x size target: centred, never
// enlarged, bilinear with an accumulated step; the last scaled row and column stay cleared.
void make_chunk_thumbnail(BITMAP* src, BITMAP* dst, int size = THUMBNAIL_SIZE);

// One thumbnail per chunk of the map, from the chunk bitmaps.
void build_chunk_thumbnails(const ChunkMap& map, LevelBitmaps& bitmaps);
