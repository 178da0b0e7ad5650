// Project generation from the Genesis ROM image.
#include <cstring>

#include "files/atomic_file.h"
#include "files/chunk_set_block.h"
#include "files/game_image.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/project_generate.h"
#include "files/project_tree.h"
#include "files/rom_tables.h"

namespace {

struct GenesisReader {
  GameImage rom;
  ProjectTree tree;
  GameNames names;

  // Entry t of a pointer table as a signed value (0 or less marks the end of a theme list).
  bool entry(size_t table, int t, const std::string& what, int32_t& out) {
    uint32_t v;
    if (!rom.be32(table + 4 * static_cast<size_t>(t), "the table entry of " + what, v)) return false;
    out = static_cast<int32_t>(v);
    return true;
  }

  // The packed block at offset, checked to lie in the file and to decode; its bytes.
  bool packed_block(size_t offset, const std::string& what, std::vector<uint8_t>& block,
                    std::vector<uint8_t>* decoded = nullptr) {
    uint32_t size;
    if (!rom.be32(offset, what, size)) return false;
    std::vector<uint8_t> unpacked;
    std::string why;
    if (size < 12 || !rom.has(offset, size) || !unpack_block(rom.at(0), offset + size, offset, unpacked, why)) {
      rom.error = what + " at " + hex_offset(offset) + " is not a packed block that lies inside the file" +
                  (why.empty() ? "" : " (" + why + ")");
      return false;
    }
    block.assign(rom.at(offset), rom.at(offset) + size);
    if (decoded) decoded->swap(unpacked);
    return true;
  }

  // Packs n plain bytes from offset.
  bool plain_bytes(size_t offset, size_t n, const std::string& what, std::vector<uint8_t>& packed) {
    if (!rom.need(offset, n, what)) return false;
    packed = pack_block(std::vector<uint8_t>(rom.at(offset), rom.at(offset) + n));
    return true;
  }

  bool chunk_set(size_t offset, const std::string& what, std::vector<uint8_t>& file) {
    ChunkMap check;
    if (rom.has(offset, 4) && std::memcmp(rom.at(offset), "ITMS", 4) == 0) {
      if (!LoadChunkSet(rom.at(0), rom.bytes.size(), offset, check, rom.error)) {
        rom.error = what + ": " + rom.error;
        return false;
      }
      // The block ends behind the cells of its last chunk.
      size_t size = 6;
      if (!check.chunks.empty()) {
        const size_t last = read_be16(rom.at(offset + 4 + 2 * check.chunks.size()));
        const Chunk& c = check.chunks.back();
        size = last + 2 + (c.width > 0 && c.height > 0 ? 2 * static_cast<size_t>(c.width) * c.height : 0);
      }
      return plain_bytes(offset, size, what, file);
    }
    std::vector<uint8_t> decoded;
    if (!packed_block(offset, what, file, &decoded)) return false;
    if (!decode_chunk_set_block(decoded.data(), decoded.size(), check, rom.error)) {
      rom.error = what + " (packed, at " + hex_offset(offset) + "): " + rom.error;
      return false;
    }
    return true;
  }

  bool layout(size_t offset, const std::string& what, std::vector<uint8_t>& file) {
    LayoutPlane check;
    if (!LoadLevelBlock(rom.at(0), rom.bytes.size(), offset, check, rom.error)) {
      rom.error = what + ": " + rom.error;
      return false;
    }
    if (std::memcmp(rom.at(offset), "MAP", 3) == 0) {
      const size_t size = read_be16(rom.at(offset + 8 + 2 * (check.height >> 4)));  // the last row table entry
      return plain_bytes(offset, size, what, file);
    }
    return packed_block(offset, what, file);
  }

  bool themes();
  bool layouts();
  bool palettes_and_headers();
};

bool GenesisReader::themes() {
  tree.add_directory("./themes");
  tree.add_directory("./themes/itm");
  tree.add_directory("./themes/ins");
  tree.add_directory("./themes/pat");
  tree.add_directory("./themes/bma");
  int theme_count = 0;
  for (int t = 0; t < THEME_SCAN_LIMIT && theme_count == 0; ++t) {
    const std::string what = "the chunkmap of theme " + std::to_string(t);
    int32_t at;
    if (!entry(genesis::CHUNKMAP_TABLE, t, what, at)) return false;
    if (at <= 0) {
      if (t > 0) theme_count = t;
      continue;
    }
    std::vector<uint8_t> file;
    if (!chunk_set(static_cast<size_t>(at), what, file)) return false;
    names.chunkmap[t] = "Itm" + hex1(t) + ".itm";
    tree.add_file("./themes/itm/" + names.chunkmap[t], std::move(file));
  }
  if (theme_count == 0) {
    rom.error = "the chunkmap table at " + hex_offset(genesis::CHUNKMAP_TABLE) + " has no end mark within " +
                std::to_string(THEME_SCAN_LIMIT) + " entries";
    return false;
  }
  for (int t = 0; t < theme_count; ++t) {
    const std::string what = "the solidity data of theme " + std::to_string(t);
    int32_t at;
    if (!entry(genesis::SOLIDITY_TABLE, t, what, at)) return false;
    if (at <= 0) {
      if (t > 0) break;
      continue;
    }
    std::vector<uint8_t> file;
    if (!plain_bytes(static_cast<size_t>(at), genesis::SOLIDITY_BYTES, what, file)) return false;
    names.solidity[t] = "Ins" + hex1(t) + ".ins";
    tree.add_file("./themes/ins/" + names.solidity[t], std::move(file));
  }
  for (int t = 0; t < theme_count; ++t) {
    const std::string what = "the patterns of theme " + std::to_string(t);
    int32_t at;
    if (!entry(genesis::PATTERN_TABLE, t, what, at)) return false;
    if (at <= 0) {
      if (t == 0) continue;
      theme_count = t;
      break;
    }
    std::vector<uint8_t> file;
    if (!packed_block(static_cast<size_t>(at), what, file)) return false;
    names.patterns[t] = "Pat" + hex1(t) + ".pat";
    tree.add_file("./themes/pat/" + names.patterns[t], std::move(file));
  }
  for (int t = 0; t < theme_count; ++t) {
    const std::string what = "the block map of theme " + std::to_string(t);
    int32_t at;
    if (!entry(genesis::BLOCKMAP_TABLE, t, what, at)) return false;
    if (at <= 0) {
      if (t > 0) break;
      continue;
    }
    // A block map the ROM holds packed goes into the project as it is; a plain one is packed.
    std::vector<uint8_t> file;
    const bool ok = has_packed_block_mark(rom.at(0), rom.bytes.size(), static_cast<size_t>(at))
                        ? packed_block(static_cast<size_t>(at), what, file)
                        : plain_bytes(static_cast<size_t>(at), genesis::BLOCKMAP_BYTES, what, file);
    if (!ok) return false;
    names.blockmap[t] = "Bma" + hex1(t) + ".bma";
    tree.add_file("./themes/bma/" + names.blockmap[t], std::move(file));
  }
  return true;
}

bool GenesisReader::layouts() {
  tree.add_directory("./levels");
  tree.add_directory("./levels/lvl");
  tree.add_directory("./levels/pal");
  for (int bank = 0; bank < 2; ++bank) {
    const size_t table = bank == 0 ? genesis::LAYOUT_TABLE : genesis::LAYOUT_TABLE_HIGH;
    std::vector<int32_t> seen;
    for (int i = 0; i < LAYOUT_BANK_SIZE; ++i) {
      const int layout = bank * LAYOUT_BANK_SIZE + i;
      const std::string what = "layout " + hex2(layout);
      int32_t at;
      if (!entry(table, i, what, at)) return false;
      // A repeated offset gets no file of its own; levels naming it use the first one's.
      bool repeated = false;
      for (int j = 0; j < i && !repeated; ++j) {
        if (seen[j] != at) continue;
        names.layout_aliases[layout] = names.layouts[bank * LAYOUT_BANK_SIZE + j];
        repeated = true;
      }
      seen.push_back(at);
      if (repeated || at <= 0) continue;
      std::vector<uint8_t> file;
      if (!this->layout(static_cast<size_t>(at), what, file)) return false;
      names.layouts[layout] = "Lvl" + hex2(layout) + ".lvl";
      tree.add_file("./levels/lvl/" + names.layouts[layout], std::move(file));
    }
  }
  return true;
}

bool GenesisReader::palettes_and_headers() {
  for (int p = 0; p < PALETTE_COUNT; ++p) {
    const std::string what = "palette " + std::to_string(p);
    int32_t at;
    if (!entry(genesis::PALETTE_TABLE, p, what, at)) return false;
    if (at < 0 || !rom.need(static_cast<size_t>(at), PALETTE_BYTES, what)) {
      if (at < 0) rom.error = what + " lies outside the file";
      return false;
    }
    tree.add_file("./levels/pal/Pal" + hex2(p) + ".pal",
                  std::vector<uint8_t>(rom.at(at), rom.at(at) + PALETTE_BYTES));
  }
  if (!rom.need(genesis::MAP_HEADERS, MAP_HEADER_COUNT * MAP_HEADER_BYTES, "the map table")) return false;
  for (int l = 0; l < MAP_HEADER_COUNT; ++l)
    std::memcpy(&names.headers[l], rom.at(genesis::MAP_HEADERS + MAP_HEADER_BYTES * l), MAP_HEADER_BYTES);
  return true;
}

}  // namespace

bool read_genesis_rom(const std::vector<uint8_t>& rom, GameNames& names, ProjectTree& tree, std::string& error) {
  GenesisReader reader{GameImage{rom, {}}, {}, {}};
  if (!reader.themes() || !reader.layouts() || !reader.palettes_and_headers()) {
    error = reader.rom.error;
    return false;
  }
  names = std::move(reader.names);
  tree = std::move(reader.tree);
  return true;
}

int GenerateGenesisProject(const std::string& path, ProjectTables& tables, ProjectMessages& messages,
                           std::string* written, bool overwrite) {
  std::vector<uint8_t> bytes;
  Problem problem;
  if (!read_whole_file(path, bytes, &problem, genesis::IMAGE_LIMIT)) {
    messages.add(problem);
    return -1;
  }
  GameNames names;
  ProjectTree tree;
  if (std::string why; !read_genesis_rom(bytes, names, tree, why)) {
    messages.add(Problem{Problem::Kind::Contents, path, "", why});
    return -1;
  }
  return write_generated_project(names, tree, tables, messages, written, overwrite);
}
