#include "chunkedit/chunkmap_edits.h"

#include <cstdio>

#include "files/atomic_file.h"
#include "files/layout_block.h"
#include "files/packed_block.h"

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

namespace {

bool read_layout(const std::string& path, LayoutPlane& plane) {
  std::vector<uint8_t> bytes;
  std::string error;
  return read_whole_file(path, bytes, nullptr, PACKED_BLOCK_LIMIT) &&
         LoadLevelBlock(bytes.data(), bytes.size(), 0, plane, error);
}

}  // namespace

int project_level_placing(const ProjectTables& tables, int theme, int i) {
  for (int level = 0; level < PROJECT_LEVELS; ++level) {
    const LevelRecord& record = tables.levels[level];
    if (record.map_front.empty()) continue;
    const std::string dir = directory_of(tables.level_paths[level]);
    LayoutPlane front, back;
    if (!read_layout(dir + record.map_front, front) || front.theme != theme) continue;
    if (chunk_placed_in(front, i)) return level;
    if (!record.map_back.empty() && read_layout(dir + record.map_back, back) && chunk_placed_in(back, i)) return level;
  }
  return -1;
}
