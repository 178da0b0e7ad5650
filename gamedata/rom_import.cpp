#include "gamedata/rom_import.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "files/atomic_file.h"
#include "gamedata/chunk_graphics.h"
#include "gamedata/level_graphics.h"

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void DebugDumps::add(const char* name, const std::vector<uint8_t>& bytes) { files.emplace_back(name, bytes); }

void DebugDumps::write() const {
  if (dir.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  for (const auto& [name, bytes] : files)
    write_file_atomic(dir + "/" + name, bytes, nullptr, false);  // a dump that cannot be written is skipped
}

MapNumber parse_map_number(const std::string& answer) {
  MapNumber n;
  if (answer.empty()) return n;
  const int high = hex_digit(answer[0]);
  if (high < 0) {
    n.bad = true;
    return n;
  }
  if (answer.size() == 1) {
    n.map = static_cast<uint8_t>(high);
    return n;
  }
  const int low = hex_digit(answer[1]);
  n.map = static_cast<uint8_t>(16 * high + (low < 0 ? 0 : low));
  n.bad = low < 0;
  return n;
}

bool import_level(const RomImage& rom, uint8_t map, LevelModel& model, LevelBitmaps& bitmaps, std::string& error,
                  const std::string& dump_dir) {
  // The dumps are written only for a level that was read whole.
  DebugDumps dumps{dump_dir, {}};
  if (!read_level(rom, map, model, error, &dumps)) return false;
  build_level_bitmaps(model, bitmaps);
  dumps.write();
  return true;
}


bool read_game_wide_parts(const RomImage& rom, LevelModel& m, DebugDumps* dumps, std::string& error) {
  DebugDumps ignored;
  DebugDumps& dump = dumps ? *dumps : ignored;
  std::vector<uint8_t> bytes;
  if (!read_packed_patterns(rom, genesis::COMMON_PATTERNS, "the common patterns", m.common_patterns, bytes, error))
    return false;
  dump.add("vram_common.bin", bytes);
  if (!read_blockmap(rom, genesis::COMMON_BLOCKMAP, COMMON_BLOCK_COUNT, "the common block map", m.common_blockmap, bytes,
                     error))
    return false;
  dump.add("common_mappings.bin", bytes);
  if (!read_fixed_patterns(rom, genesis::MOON_PATTERNS, 4, "the moon patterns", m.moon_patterns, error)) return false;
  dump.add("vram_moon.bin",
             std::vector<uint8_t>(rom.begin() + genesis::MOON_PATTERNS, rom.begin() + genesis::MOON_PATTERNS + 128));
  if (!read_pickup_patterns(rom, m.pickup_patterns, error)) return false;
  if (!read_block_types(rom, m.block_types, error)) return false;
  m.block_type_count = BLOCK_TYPE_COUNT;
  if (!read_fixed_patterns(rom, genesis::BLOCK_TYPE_PATTERNS, 72, "the block-object patterns", m.block_type_patterns,
                           error) ||
      !read_fixed_patterns(rom, genesis::LARGE_OBJECT_PATTERNS, 60, "the large-object patterns", m.large_object_patterns,
                           error) ||
      !read_fixed_patterns(rom, genesis::MARKER_PATTERNS, 126, "the marker patterns", m.marker_patterns, error))
    return false;
  if (!read_markers(rom, m.markers, error)) return false;
  m.marker_count = MARKER_COUNT;
  return true;
}

bool read_level(const RomImage& rom, uint8_t map, LevelModel& m, std::string& error, DebugDumps* dumps) {
  DebugDumps ignored;
  DebugDumps& dump = dumps ? *dumps : ignored;
  if (!read_map_header(rom, map, m.map_header, error)) return false;
  if (!read_layout(rom, m.map_header.map_front, m.front_layout, error)) return false;
  if (!read_layout(rom, m.map_header.map_back, m.back_layout, error)) return false;
  const int theme = m.front_layout.theme;
  if (!read_theme_chunkmap(rom, theme, m.chunkmap, error)) return false;

  std::vector<uint8_t> bytes;
  size_t at;
  const std::string theme_name = "theme " + std::to_string(theme);
  if (!read_pointer(rom, genesis::PATTERN_TABLE, theme, "the patterns of " + theme_name, at, error) ||
      !read_packed_patterns(rom, at, "the patterns of " + theme_name, m.level_patterns, bytes, error))
    return false;
  dump.add("vram_tiles.bin", bytes);
  if (!read_pointer(rom, genesis::BLOCKMAP_TABLE, theme, "the block map of " + theme_name, at, error) ||
      !read_blockmap(rom, at, LEVEL_BLOCKMAP_COUNT, "the block map of " + theme_name, m.level_blockmap, bytes, error))
    return false;
  dump.add("block_mappings.bin", bytes);

  const uint8_t palette_numbers[4] = {m.map_header.palette_main, m.map_header.palette_front,
                                      m.map_header.palette_back, m.map_header.palette_flash};
  for (int line = 0; line < 4; ++line)
    if (!read_palette(rom, palette_numbers[line], m.palettes[line], error)) return false;

  return read_game_wide_parts(rom, m, &dump, error);
}

void build_level_bitmaps(const LevelModel& m, LevelBitmaps& bitmaps) {
  build_block_bitmaps(m, bitmaps);
  build_object_bitmaps(m, bitmaps);
}

void build_object_bitmaps(const LevelModel& m, LevelBitmaps& bitmaps) {
  build_pickup_icons(m, bitmaps);
  render_all_chunks(m.chunkmap, bitmaps);
  build_block_type_icons(m, bitmaps);
  build_large_object_frames(m, bitmaps);
  build_marker_icons(m, bitmaps);
  build_chunk_thumbnails(m.chunkmap, bitmaps);
}

std::string closing_message(uint8_t map, const LevelModel& model) {
  if (map == 0) return "[00] MAP SCREEN";
  char number[8];
  std::snprintf(number, sizeof number, "[%02X]", map);
  if (map - 1 < static_cast<int>(model.markers.size())) return number + (" " + model.markers[map - 1].name);
  return number;
}
