#include "chunkedit/chunk_images.h"

#include <allegro.h>
#include <loadpng.h>

#include <cstdio>

#include "gamedata/chunk_graphics.h"
#include "gamedata/level_state.h"
#include "ui/messages.h"

void refresh_chunk_images(int i) {
  if (i < 0 || i >= chunkmap.count() || i >= CHUNK_SLOTS) return;
  render_chunk(chunkmap, level_bitmaps, i);
  if (static_cast<int>(chunk_thumbnails.size()) < chunkmap.count()) chunk_thumbnails.resize(chunkmap.count());
  chunk_thumbnail_count = static_cast<int32_t>(chunk_thumbnails.size());
  BitmapPtr& thumbnail = chunk_thumbnails[i];
  if (!thumbnail) thumbnail = make_bitmap(THUMBNAIL_SIZE, THUMBNAIL_SIZE);
  if (thumbnail) make_chunk_thumbnail(chunk_bitmaps[i].get(), thumbnail.get(), THUMBNAIL_SIZE);
}

void trim_chunk_images() {
  const int count = chunkmap.count();
  for (int i = count; i < CHUNK_SLOTS; ++i) chunk_bitmaps[i].reset();
  if (static_cast<int>(chunk_thumbnails.size()) > count) chunk_thumbnails.resize(count);
  chunk_thumbnail_count = static_cast<int32_t>(chunk_thumbnails.size());
}

std::string chunk_png_name(int i) { return format_text("tile_%03d.png", i); }

bool save_chunk_png(int i) {
  const std::string name = chunk_png_name(i);
  if (i < 0 || i >= chunkmap.count()) {
    report_error(format_text("ERROR: Tile %d does not exist; \"%s\" not written.", i, name.c_str()));
    return false;
  }
  // The cells as they are now, which may be ahead of the chunk's stored image.
  BitmapPtr image = render_chunk_bitmap(chunkmap.chunks[i], block_bitmaps);
  if (!image) {
    report_error(format_text("ERROR: Tile %d has no area; \"%s\" not written.", i, name.c_str()));
    return false;
  }
  const std::string temporary = name + ".tmp";
  if (save_png(temporary.c_str(), image.get(), nullptr) != 0 || std::rename(temporary.c_str(), name.c_str()) != 0) {
    std::remove(temporary.c_str());
    report_error(format_text("ERROR: File \"%s\" could not be written.", name.c_str()));
    return false;
  }
  show_message(format_text("TILE %d SAVED AS \"%s\".", i, name.c_str()));
  return true;
}
