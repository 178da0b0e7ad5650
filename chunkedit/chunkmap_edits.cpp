#include "chunkedit/chunkmap_edits.h"

#include <cstdio>

int append_empty_chunk(ChunkMap& map) {
  if (map.count() >= MAX_EDITABLE_CHUNKS) return -1;
  Chunk chunk;
  chunk.width = 1;
  chunk.height = 1;
  map.chunks.push_back(chunk);
  return map.count() - 1;
}

bool chunk_placed_in(const LayoutPlane& plane, int i) {
  for (const LayoutRow& row : plane.rows)
    for (const LayoutObject& o : row.objects)
      if (o.code < OBJECT_CHUNK_LIMIT && (o.code & PLACEMENT_CHUNK_MASK) == i) return true;
  return false;
}

std::string chunk_removal_refusal(const ChunkMap& map, const LayoutPlane& front, const LayoutPlane& back, int i) {
  char text[120];
  if (i < 0 || i >= map.count()) {
    std::snprintf(text, sizeof text, "TILE %d DOES NOT EXIST.", i);
  } else if (map.count() == 1) {
    std::snprintf(text, sizeof text, "TILE %d IS THE ONLY TILE AND CANNOT BE DELETED.", i);
  } else if (i != map.count() - 1) {
    std::snprintf(text, sizeof text, "ONLY THE LAST TILE (%d) CAN BE DELETED: LAYOUTS NAME TILES BY NUMBER.",
                  map.count() - 1);
  } else if (chunk_placed_in(front, i) || chunk_placed_in(back, i)) {
    std::snprintf(text, sizeof text, "TILE %d IS PLACED IN THE LEVEL LAYOUT AND CANNOT BE DELETED.", i);
  } else {
    return {};
  }
  return text;
}
