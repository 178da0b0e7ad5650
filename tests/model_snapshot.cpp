#include "model_snapshot.h"

#include <cstring>

#include "gamedata/level_state.h"
#include "ui/screen_state.h"

namespace {

// Every bitmap of the lists, by identity and by content.
template <typename... Lists>
void add_bitmaps(LevelSnapshot& s, const Lists&... lists) {
  const auto add = [&s](const auto& list) {
    for (const BitmapPtr& b : list) {
      s.bitmaps.push_back(b.get());
      for (int y = 0; b && y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) s.pixel_hash = s.pixel_hash * 1099511628211ull + pixel32(b.get(), x, y);
    }
  };
  (add(lists), ...);
}

// Plain records of the same type compared byte for byte.
template <typename T>
bool same_bytes(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), sizeof(T) * a.size()) == 0);
}

bool same(const PatternSet& a, const PatternSet& b) { return a.count == b.count && a.pixels == b.pixels; }
bool same(const BlockMap& a, const BlockMap& b) { return a.count == b.count && same_bytes(a.mappings, b.mappings); }

}  // namespace

LevelSnapshot LevelSnapshot::take() {
  LevelSnapshot s;
  s.model = level_model;
  const LevelBitmaps& b = level_bitmaps;
  add_bitmaps(s, b.block_bitmaps, b.chunk_bitmaps, b.chunk_thumbnails, b.pickup_icons, b.block_type_icons,
              b.block_type_large_icons, b.large_object_frames, b.marker_icons_normal, b.marker_icons_secret,
              b.marker_icons_tunnel);
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
  if (!same_bytes(x.chunkmap.chunks, y.chunkmap.chunks)) return "chunkmap";
  if (std::memcmp(&x.palettes, &y.palettes, sizeof x.palettes) != 0) return "palettes";
  const PatternSet LevelModel::*patterns[] = {&LevelModel::level_patterns,      &LevelModel::common_patterns,
                                              &LevelModel::moon_patterns,       &LevelModel::pickup_patterns,
                                              &LevelModel::block_type_patterns, &LevelModel::large_object_patterns,
                                              &LevelModel::marker_patterns};
  for (auto p : patterns)
    if (!same(x.*p, y.*p)) return "a pattern set";
  if (!same(x.common_blockmap, y.common_blockmap)) return "common_blockmap";
  if (!same(x.level_blockmap, y.level_blockmap)) return "level_blockmap";
  if (!(x.markers == y.markers) || x.marker_count != y.marker_count) return "markers";
  if (!same_bytes(x.block_types, y.block_types) || x.block_type_count != y.block_type_count) return "block_types";
  if (a.bitmaps != b.bitmaps || a.thumbnail_count != b.thumbnail_count) return "the display bitmaps";
  if (a.pixel_hash != b.pixel_hash) return "the pixels of the display bitmaps";
  if (a.level_file != b.level_file) return "the level file name";
  if (a.chunkmap_file != b.chunkmap_file) return "the chunkmap file name";
  if (a.mode != b.mode) return "editor_mode";
  return "";
}

std::string difference(const ProjectTables& a, const ProjectTables& b) { return a == b ? "" : "the project tables"; }
