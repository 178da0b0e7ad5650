#include "gamedata/rom_tables.h"

#include <cstdio>

#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "gamedata/pattern_graphics.h"

namespace {

std::string hex(size_t v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%zX", v);
  return buf;
}

bool has(const RomImage& rom, size_t offset, size_t n) { return offset <= rom.size() && rom.size() - offset >= n; }

bool outside(const std::string& what, size_t offset, std::string& error) {
  error = what + " at " + hex(offset) + " lies outside the file";
  return false;
}

}  // namespace

bool read_map_header(const RomImage& rom, uint8_t map, MapHeader& out, std::string& error) {
  const size_t at = genesis::MAP_HEADERS + 13 * static_cast<size_t>(map);
  if (!has(rom, at, 13)) return outside("the map table entry of map " + hex(map), at, error);
  const uint8_t* p = &rom[at];
  MapHeader h;
  uint8_t* fields[] = {&h.map_front,     &h.map_back,      &h.palette_main,  &h.palette_front, &h.palette_back,
                       &h.palette_flash, &h.back_scroll_a, &h.back_scroll_b, &h.back_scroll_c, &h.back_scroll_d,
                       &h.front_scroll,  &h.flags,         &h.music};
  for (int i = 0; i < 13; ++i) *fields[i] = p[i];
  out = h;
  return true;
}

bool read_pointer(const RomImage& rom, size_t table, int index, const std::string& what, size_t& out,
                  std::string& error) {
  const size_t at = table + 4 * static_cast<size_t>(index);
  if (!has(rom, at, 4)) return outside("the pointer to " + what, at, error);
  const uint32_t p = read_be32(&rom[at]);
  if (p == 0 || p >= rom.size()) {
    error = "the pointer to " + what + " (" + hex(p) + ", at " + hex(at) + ") lies outside the file";
    return false;
  }
  out = p;
  return true;
}

bool read_layout(const RomImage& rom, int layout, LayoutPlane& out, std::string& error) {
  const std::string what = "layout " + hex(layout);
  size_t at;
  if (!read_pointer(rom, genesis::LAYOUT_TABLE, layout, what, at, error)) return false;
  if (!LoadLevelBlock(rom.data(), rom.size(), at, out, error)) {
    error = what + ": " + error;
    return false;
  }
  return true;
}

bool read_theme_chunkmap(const RomImage& rom, int theme, ChunkMap& out, std::string& error) {
  const std::string what = "the chunkmap of theme " + std::to_string(theme);
  size_t at;
  if (!read_pointer(rom, genesis::CHUNKMAP_TABLE, theme, what, at, error)) return false;
  if (!LoadChunkSet(rom.data(), rom.size(), at, out, error)) {
    error = what + ": " + error;
    return false;
  }
  return true;
}

bool read_packed_patterns(const RomImage& rom, size_t offset, const std::string& what, PatternSet& out,
                          std::vector<uint8_t>& decoded, std::string& error) {
  if (!has_packed_block_mark(rom.data(), rom.size(), offset)) {
    error = what + " at " + hex(offset) + " is not a packed block";
    return false;
  }
  std::vector<uint8_t> bytes;
  if (!unpack_block(rom.data(), rom.size(), offset, bytes, error)) {
    error = what + ": " + error;
    return false;
  }
  const size_t count = bytes.size() / 32;
  if (count > 32767) {
    error = what + " holds " + std::to_string(count) + " patterns, more than 32767";
    return false;
  }
  out = unpack_patterns(bytes.data(), static_cast<int>(count));
  decoded.swap(bytes);
  return true;
}

bool read_blockmap(const RomImage& rom, size_t offset, int mappings, const std::string& what, BlockMap& out,
                   std::vector<uint8_t>& bytes, std::string& error) {
  std::vector<uint8_t> data;
  if (has_packed_block_mark(rom.data(), rom.size(), offset)) {
    if (!unpack_block(rom.data(), rom.size(), offset, data, error)) {
      error = what + ": " + error;
      return false;
    }
  } else {
    if (!has(rom, offset, BLOCKMAP_BYTES)) return outside(what + " (" + std::to_string(BLOCKMAP_BYTES) + " bytes)", offset, error);
    data.assign(rom.begin() + offset, rom.begin() + offset + BLOCKMAP_BYTES);
  }
  if (data.size() < 8 * static_cast<size_t>(mappings)) {
    error = what + " holds " + std::to_string(data.size()) + " bytes, fewer than its " + std::to_string(mappings) +
            " mappings need";
    return false;
  }
  BlockMap map;
  map.count = static_cast<int16_t>(mappings);
  map.mappings.resize(mappings);
  for (int i = 0; i < mappings; ++i)
    for (int k = 0; k < 4; ++k) map.mappings[i].words[k] = read_be16(&data[8 * i + 2 * k]);
  out = std::move(map);
  bytes.swap(data);
  return true;
}

bool read_palette(const RomImage& rom, int number, PaletteLine& out, std::string& error) {
  const std::string what = "palette " + hex(number);
  size_t at;
  if (!read_pointer(rom, genesis::PALETTE_TABLE, number, what, at, error)) return false;
  if (!has(rom, at, 32)) return outside(what, at, error);
  for (int i = 0; i < 16; ++i) out[i] = colour_from_word(read_be16(&rom[at + 2 * i]));
  return true;
}

bool read_fixed_patterns(const RomImage& rom, size_t offset, int count, const std::string& what, PatternSet& out,
                         std::string& error) {
  if (!has(rom, offset, 32 * static_cast<size_t>(count))) return outside(what, offset, error);
  out = unpack_patterns(&rom[offset], count);
  return true;
}

bool read_pickup_patterns(const RomImage& rom, PatternSet& out, std::string& error) {
  if (!has(rom, genesis::PICKUP_GRAPHICS, 4 * PICKUP_TYPE_COUNT)) return outside("the pickup table", genesis::PICKUP_GRAPHICS, error);
  std::vector<uint8_t> packed(32 * 4 * PICKUP_TYPE_COUNT);
  for (int i = 0; i < PICKUP_TYPE_COUNT; ++i) {
    const int16_t rel = static_cast<int16_t>(read_be16(&rom[genesis::PICKUP_GRAPHICS + 4 * i]));
    // Step two bytes at a time to the first 32-bit word whose first byte is 0: the pattern address.
    size_t q = static_cast<size_t>(static_cast<long>(genesis::PICKUP_BASE) + rel);
    while (has(rom, q, 4) && rom[q] != 0) q += 2;
    if (!has(rom, q, 4)) {
      error = "the graphics of pickup " + std::to_string(i) + " have no address before the end of the file";
      return false;
    }
    const size_t at = read_be32(&rom[q]);
    if (!has(rom, at, 128)) return outside("the graphics of pickup " + std::to_string(i), at, error);
    std::copy(rom.begin() + at, rom.begin() + at + 128, packed.begin() + 128 * i);
  }
  out = unpack_patterns(packed.data(), 4 * PICKUP_TYPE_COUNT);
  return true;
}

bool read_block_types(const RomImage& rom, std::vector<BlockType>& out, std::string& error) {
  if (!has(rom, genesis::BLOCK_TYPES, 4 * BLOCK_TYPE_COUNT)) return outside("the block-type table", genesis::BLOCK_TYPES, error);
  std::vector<BlockType> types(BLOCK_TYPE_COUNT);
  for (int i = 0; i < BLOCK_TYPE_COUNT; ++i) {
    types[i].kind = static_cast<int16_t>(read_be16(&rom[genesis::BLOCK_TYPES + 4 * i]));
    types[i].param = read_be16(&rom[genesis::BLOCK_TYPES + 4 * i + 2]);
  }
  out.swap(types);
  return true;
}

bool read_markers(const RomImage& rom, std::vector<Marker>& out, std::string& error) {
  if (!has(rom, genesis::MARKERS, genesis::MARKER_ENTRY_SIZE * MARKER_COUNT)) return outside("the marker table", genesis::MARKERS, error);
  std::vector<Marker> list(MARKER_COUNT);
  for (int i = 0; i < MARKER_COUNT; ++i) {
    const uint8_t* e = &rom[genesis::MARKERS + genesis::MARKER_ENTRY_SIZE * i];
    Marker& m = list[i];
    m.type = e[0];
    const size_t name_at = (static_cast<size_t>(e[1]) << 16) | (e[2] << 8) | e[3];
    if (name_at >= rom.size()) return outside("the name of marker " + std::to_string(i), name_at, error);
    // Up to 25 bytes for the name and its terminator; a name without one is empty.
    std::string name;
    bool terminated = false;
    for (int k = 0; k < genesis::MARKER_NAME_LIMIT && name_at + k < rom.size(); ++k) {
      const char c = static_cast<char>(rom[name_at + k]);
      if (c == 0) {
        terminated = true;
        break;
      }
      name.push_back(c);
    }
    m.name = terminated ? name : std::string();
    m.x = static_cast<int16_t>(read_be16(e + 4));
    m.y = static_cast<int16_t>(read_be16(e + 6));
    m.next_up = e[8];
    m.next_down = e[9];
    m.next_left = e[10];
    m.next_right = e[11];
    m.next_tunnel = e[13];
  }
  out.swap(list);
  return true;
}
