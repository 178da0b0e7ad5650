#include "model_snapshot.h"

#include <cstring>

#include "gamedata/level_bitmaps.h"
#include "gamedata/level_files.h"
#include "ui/screen_state.h"

namespace {

void add_bitmap(LevelSnapshot& s, const BitmapPtr& b) {
  s.bitmaps.push_back(b.get());
  if (!b) return;
  BITMAP* bmp = b.get();
  for (int y = 0; y < bmp->h; ++y)
    for (int x = 0; x < bmp->w; ++x) s.pixel_hash = s.pixel_hash * 1099511628211ull + pixel32(bmp, x, y);
}

template <typename Array>
void add_bitmaps(LevelSnapshot& s, const Array& list) {
  for (const BitmapPtr& b : list) add_bitmap(s, b);
}

bool same(const PatternSet& a, const PatternSet& b) { return a.count == b.count && a.pixels == b.pixels; }

bool same(const BlockMap& a, const BlockMap& b) {
  if (a.count != b.count || a.mappings.size() != b.mappings.size()) return false;
  for (size_t i = 0; i < a.mappings.size(); ++i)
    if (a.mappings[i].words != b.mappings[i].words) return false;
  return true;
}

bool same(const ChunkMap& a, const ChunkMap& b) {
  return a.chunks.size() == b.chunks.size() &&
         (a.chunks.empty() || std::memcmp(a.chunks.data(), b.chunks.data(), sizeof(Chunk) * a.chunks.size()) == 0);
}

bool same(const Palettes& a, const Palettes& b) {
  for (size_t l = 0; l < a.size(); ++l)
    for (size_t i = 0; i < a[l].size(); ++i) {
      const PaletteColor &x = a[l][i], &y = b[l][i];
      if (x.red != y.red || x.green != y.green || x.blue != y.blue || x.spare != y.spare) return false;
    }
  return true;
}

bool same(const std::vector<Marker>& a, const std::vector<Marker>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const Marker &x = a[i], &y = b[i];
    if (x.type != y.type || x.name != y.name || x.x != y.x || x.y != y.y || x.next_up != y.next_up ||
        x.next_down != y.next_down || x.next_left != y.next_left || x.next_right != y.next_right ||
        x.next_tunnel != y.next_tunnel)
      return false;
  }
  return true;
}

bool same(const std::vector<BlockType>& a, const std::vector<BlockType>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].kind != b[i].kind || a[i].param != b[i].param) return false;
  return true;
}

}  // namespace

LevelSnapshot LevelSnapshot::take() {
  LevelSnapshot s;
  s.model = level_model;
  const LevelBitmaps& b = level_bitmaps;
  add_bitmaps(s, b.block_bitmaps);
  add_bitmaps(s, b.chunk_bitmaps);
  add_bitmaps(s, b.chunk_thumbnails);
  add_bitmaps(s, b.pickup_icons);
  add_bitmaps(s, b.block_type_icons);
  add_bitmaps(s, b.block_type_large_icons);
  add_bitmaps(s, b.large_object_frames);
  add_bitmaps(s, b.marker_icons_normal);
  add_bitmaps(s, b.marker_icons_secret);
  add_bitmaps(s, b.marker_icons_tunnel);
  s.thumbnail_count = b.chunk_thumbnail_count;
  s.level_file = level_file_name;
  s.chunkmap_file = chunkmap_file_name;
  s.mode = editor_mode;
  return s;
}

std::string difference(const LevelSnapshot& a, const LevelSnapshot& b) {
  const LevelModel &x = a.model, &y = b.model;
  if (std::memcmp(&x.map_header, &y.map_header, sizeof(MapHeader)) != 0) return "map_header";
  if (!(x.front_layout == y.front_layout)) return "front_layout";
  if (!(x.back_layout == y.back_layout)) return "back_layout";
  if (!same(x.chunkmap, y.chunkmap)) return "chunkmap";
  if (!same(x.palettes, y.palettes)) return "palettes";
  const PatternSet LevelModel::*patterns[] = {&LevelModel::level_patterns,      &LevelModel::common_patterns,
                                              &LevelModel::moon_patterns,       &LevelModel::pickup_patterns,
                                              &LevelModel::block_type_patterns, &LevelModel::large_object_patterns,
                                              &LevelModel::marker_patterns};
  for (auto p : patterns)
    if (!same(x.*p, y.*p)) return "a pattern set";
  if (!same(x.common_blockmap, y.common_blockmap)) return "common_blockmap";
  if (!same(x.level_blockmap, y.level_blockmap)) return "level_blockmap";
  if (!same(x.markers, y.markers) || x.marker_count != y.marker_count) return "markers";
  if (!same(x.block_types, y.block_types) || x.block_type_count != y.block_type_count) return "block_types";
  if (a.bitmaps != b.bitmaps || a.thumbnail_count != b.thumbnail_count) return "the display bitmaps";
  if (a.pixel_hash != b.pixel_hash) return "the pixels of the display bitmaps";
  if (a.level_file != b.level_file) return "the level file name";
  if (a.chunkmap_file != b.chunkmap_file) return "the chunkmap file name";
  if (a.mode != b.mode) return "editor_mode";
  return "";
}

std::string difference(const ProjectTables& a, const ProjectTables& b) {
  if (a.theme_paths != b.theme_paths) return "theme descriptor paths";
  if (a.level_paths != b.level_paths) return "level descriptor paths";
  for (int t = 0; t < PROJECT_THEMES; ++t)
    if (!(a.themes[t] == b.themes[t])) return "theme record " + std::to_string(t);
  for (int l = 0; l < PROJECT_LEVELS; ++l)
    if (!(a.levels[l] == b.levels[l])) return "level record " + std::to_string(l);
  if (a.project_file != b.project_file) return "project file name";
  return "";
}
