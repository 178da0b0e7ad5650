#include "gamedata/project_level_load.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/format_text.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "gamedata/chunk_graphics.h"
#include "gamedata/level_graphics.h"
#include "gamedata/pattern_graphics.h"
#include "gamedata/rom_import.h"

namespace {

constexpr size_t PLANAR_BLOCK_BYTES = 128;

// Reads the files of one load; the first failure is the one reported.
struct ProjectLevelReader {
  LoadFailure& failure;

  bool bad(const std::string& path, const std::string& why) {
    failure = LoadFailure{LoadFailure::Kind::Contents, path, why, {}};
    return false;
  }
  // Every file of a project level is one block, packed (at most 512 KiB) or plain, or a palette.
  bool read(const std::string& path, std::vector<uint8_t>& bytes) {
    failure = LoadFailure{LoadFailure::Kind::Read, path, "", {}};
    return read_whole_file(path, bytes, &failure.unread, PACKED_BLOCK_LIMIT);
  }

  bool layout(const std::string& path, LayoutPlane& out) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!read(path, bytes)) return false;
    return LoadLevelBlock(bytes.data(), bytes.size(), 0, out, why) || bad(path, why);
  }

  bool palette(const std::string& path, PaletteLine& out) {
    std::vector<uint8_t> bytes;
    if (!read(path, bytes)) return false;
    if (bytes.size() < 32) return bad(path, "a palette needs 32 bytes, the file has " + std::to_string(bytes.size()));
    for (int i = 0; i < 16; ++i) out[i] = colour_from_word(read_be16(&bytes[2 * i]));
    return true;
  }

  // The theme's graphics as planar blocks: the decoded bytes of a packed file, or the file
  // itself when it is not packed.
  bool planar_graphics(const std::string& path, std::vector<uint8_t>& blocks) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!read(path, bytes)) return false;
    if (!has_packed_block_mark(bytes.data(), bytes.size(), 0)) {
      blocks.swap(bytes);
      return true;
    }
    return unpack_block(bytes.data(), bytes.size(), 0, blocks, why) || bad(path, why);
  }
};


}  // namespace

BitmapPtr planar_block_bitmap(const uint8_t* block, const Palettes& palettes) {
  BitmapPtr b = make_bitmap(16, 16);
  if (!b) return b;
  for (int y = 0; y < 16; ++y) {
    uint16_t planes[4];
    for (int p = 0; p < 4; ++p) planes[p] = read_be16(block + 8 * y + 2 * p);
    for (int x = 0; x < 16; ++x) {
      int index = 0;
      for (int p = 0; p < 4; ++p) index |= ((planes[p] >> (15 - x)) & 1) << p;
      put_pixel32(b.get(), x, y, palette_pixel(palettes, 0, index));
    }
  }
  return b;
}

bool read_project_layouts(const ProjectTables& tables, uint8_t level, LayoutPlane& front, LayoutPlane& back,
                          LoadFailure& failure) {
  ProjectLevelReader reader{failure};
  if (level >= PROJECT_LEVELS) {
    failure = LoadFailure{LoadFailure::Kind::Other, "",
                          format_text("Level %02X is beyond the %d levels of a project", level, PROJECT_LEVELS), {}};
    return false;
  }
  const LevelRecord& l = tables.levels[level];
  if (l.map_front.empty()) {
    failure = LoadFailure{LoadFailure::Kind::Other, "",
                          format_text("Level %02X has no front layout in the loaded project", level), {}};
    return false;
  }
  const std::string dl = directory_of(tables.level_paths[level]);
  if (!reader.layout(dl + l.map_front, front)) return false;
  // A back layout that is not there leaves the back plane empty; one that is there but
  // cannot be read (a directory, no permission) is an error like any other file's.
  std::error_code ec;
  if (!l.map_back.empty() && std::filesystem::symlink_status(dl + l.map_back, ec).type() !=
                                 std::filesystem::file_type::not_found) {
    if (!reader.layout(dl + l.map_back, back)) return false;
  } else {
    back = LayoutPlane();
  }
  return true;
}

bool read_project_chunkmap(const ProjectTables& tables, int theme, uint8_t level, ChunkMap& out, LoadFailure& failure) {
  ProjectLevelReader reader{failure};
  if (theme < 0 || theme >= PROJECT_THEMES) {
    const std::string front = level < PROJECT_LEVELS
                                  ? directory_of(tables.level_paths[level]) + tables.levels[level].map_front
                                  : std::string();
    return reader.bad(front, format_text("theme %d is beyond the %d themes of a project", theme, PROJECT_THEMES));
  }
  const ThemeRecord& t = tables.themes[theme];
  if (t.chunkmap.empty()) {
    failure = LoadFailure{LoadFailure::Kind::Other, "",
                          format_text("Theme %d of level %02X has no chunkmap in the loaded project", theme, level), {}};
    return false;
  }
  std::vector<uint8_t> bytes;
  std::string why;
  const std::string path = directory_of(tables.theme_paths[theme]) + t.chunkmap;
  if (!reader.read(path, bytes)) return false;
  return LoadChunkSet(bytes.data(), bytes.size(), 0, out, why) || reader.bad(path, why);
}

bool load_project_level(const ProjectTables& tables, const RomImage& rom, uint8_t level, const LevelModel& previous,
                        LevelModel& m, LevelBitmaps& bitmaps, LoadFailure& failure, const std::string& dump_dir) {
  ProjectLevelReader reader{failure};
  if (!read_project_layouts(tables, level, m.front_layout, m.back_layout, failure)) return false;
  const LevelRecord& l = tables.levels[level];
  const std::string dl = directory_of(tables.level_paths[level]);
  // The header of the level loaded: its number (so level 0, and only level 0, is the
  // world map) and the byte values of its record. Its layouts and palettes are files, not
  // numbers.
  m.map_header = MapHeader();
  m.map_header.map_front = level;
  m.map_header.back_scroll_a = l.back_scroll_a;
  m.map_header.back_scroll_b = l.back_scroll_b;
  m.map_header.back_scroll_c = l.back_scroll_c;
  m.map_header.back_scroll_d = l.back_scroll_d;
  m.map_header.front_scroll = l.front_scroll;
  m.map_header.flags = l.flags;
  m.map_header.music = l.music;
  DebugDumps dumps{dump_dir, {}};

  const int t = m.front_layout.theme;
  if (!read_project_chunkmap(tables, t, level, m.chunkmap, failure)) return false;
  const ThemeRecord& theme = tables.themes[t];
  const std::string dt = directory_of(tables.theme_paths[t]);
  const std::string* palette_paths[4] = {&l.palette_main, &l.palette_front, &l.palette_back, &l.palette_flash};
  for (int line = 0; line < 4; ++line)
    if (!reader.palette(dl + *palette_paths[line], m.palettes[line])) return false;

  std::string error;
  if (!read_game_wide_parts(rom, m, &dumps, error)) {
    return reader.bad(ROM_PATH, error);
  }

  if (!theme.graphics.empty()) {
    // Planar AGA graphics: ready-made blocks after the 24 common ones.
    std::vector<uint8_t> blocks;
    if (!reader.planar_graphics(dt + theme.graphics, blocks)) return false;
    m.level_patterns = previous.level_patterns;
    m.level_blockmap = previous.level_blockmap;
    LevelModel common_only;
    common_only.common_blockmap = m.common_blockmap;
    common_only.common_patterns = m.common_patterns;
    common_only.palettes = m.palettes;
    build_block_bitmaps(common_only, bitmaps);
    const size_t count = std::min(blocks.size() / PLANAR_BLOCK_BYTES, size_t(BLOCK_SLOTS - COMMON_BLOCK_COUNT));
    for (size_t k = 0; k < count; ++k)
      bitmaps.block_bitmaps[COMMON_BLOCK_COUNT + k] = planar_block_bitmap(&blocks[PLANAR_BLOCK_BYTES * k], m.palettes);
  } else {
    std::vector<uint8_t> bytes, decoded;
    std::string path = dt + theme.patterns;
    if (!reader.read(path, bytes)) return false;
    if (!read_packed_patterns(bytes, 0, "the patterns", m.level_patterns, decoded, error))
      return reader.bad(path, error);
    dumps.add("vram_tiles.bin", decoded);
    path = dt + theme.blockmap;
    if (!reader.read(path, bytes)) return false;
    if (!read_blockmap(bytes, 0, LEVEL_BLOCKMAP_COUNT, "the block map", m.level_blockmap, decoded, error))
      return reader.bad(path, error);
    dumps.add("block_mappings.bin", decoded);
    build_block_bitmaps(m, bitmaps);
  }

  build_object_bitmaps(m, bitmaps);
  dumps.write();
  return true;
}
