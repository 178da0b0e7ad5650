// Fuzz inputs for the ROM readers as patches to the sample game's image, which is 2 MiB and
// so no input itself:
//   byte 0            the map number to import
//   then records of   region (1 byte), offset (3 bytes, big-endian), n (1 byte), n bytes
// A region is one structured piece of the image that the import reads (a table, a pointer
// table, a layout, chunk-set, pattern or block-map block, the marker names); the offset is
// taken modulo the region's size and the n bytes overwrite the image from there. Region 255
// cuts the image short at the offset instead. The sample image comes from
// $MOSSFORGE_SAMPLE_ROM, or is generated once into the build tree by the samplegame tool.
// The working image is patched in place and restored after each input.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/packed_block.h"
#include "gamedata/rom_tables.h"

class SampleRomPatches {
 public:
  // Loads the sample image and finds its regions; false when there is no image.
  bool init() {
    if (!load_sample() || sample_.size() < 0x200000) return false;
    find_regions();
    work_ = sample_;
    return true;
  }

  // The working image with the input's patches applied.
  const RomImage& apply(const uint8_t* data, size_t size) {
    size_t i = 1;
    while (i + 5 <= size) {
      const uint8_t region = data[i];
      const size_t offset = size_t(data[i + 1]) << 16 | size_t(data[i + 2]) << 8 | data[i + 3];
      size_t n = data[i + 4];
      i += 5;
      if (region == 255) {
        if (offset < work_.size()) work_.resize(offset);
        continue;
      }
      const Region& r = regions_[region % regions_.size()];
      const size_t at = r.start + offset % r.size;
      n = std::min(n, size - i);
      for (size_t k = 0; k < n && at + k < work_.size(); ++k) {
        changed_.emplace_back(at + k, work_[at + k]);
        work_[at + k] = data[i + k];
      }
      i += n;
    }
    return work_;
  }

  // Back to the sample image.
  void restore() {
    for (auto it = changed_.rbegin(); it != changed_.rend(); ++it)
      if (it->first < work_.size()) work_[it->first] = it->second;
    changed_.clear();
    if (work_.size() < sample_.size()) work_.insert(work_.end(), sample_.begin() + work_.size(), sample_.end());
  }

 private:
  struct Region {
    size_t start, size;
  };

  bool load_sample() {
    if (const char* path = std::getenv("MOSSFORGE_SAMPLE_ROM")) return read_whole_file(path, sample_);
    const std::string dir = MOSSFORGE_BINARY_DIR "/fuzz_sample";
    const std::string path = dir + "/genesis/glb.bin";
    if (read_whole_file(path, sample_)) return true;
    const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + dir + "' >/dev/null";
    return std::system(cmd.c_str()) == 0 && read_whole_file(path, sample_);
  }

  void add(size_t start, size_t size) {
    if (start < sample_.size() && size > 0) regions_.push_back({start, std::min(size, sample_.size() - start)});
  }

  // Size of the block at p as the image holds it: a packed block's S, a plain layout's total,
  // a plain chunk set up to its last entry, else a plain block map.
  size_t block_size(size_t p) const {
    const uint8_t* b = &sample_[p];
    if (has_packed_block_mark(sample_.data(), sample_.size(), p)) return read_be32(b);
    if (b[0] == 'M' && b[1] == 'A' && b[2] == 'P') return read_be16(b + 8 + 2 * (read_be16(b + 6) >> 4));
    if (b[0] == 'I' && b[1] == 'T' && b[2] == 'M' && b[3] == 'S') {
      const size_t last = read_be16(b + 4 + 2 * read_be16(b + 4));
      return last + 2 + 2 * b[last] * b[last + 1];
    }
    return BLOCKMAP_BYTES;
  }

  // A pointer table and every block it reaches.
  void add_pointed_blocks(size_t table, int entries) {
    add(table, 4 * static_cast<size_t>(entries));
    std::set<size_t> seen;
    for (int i = 0; i < entries; ++i) {
      const size_t p = read_be32(&sample_[table + 4 * i]);
      if (p == 0 || p >= sample_.size() || !seen.insert(p).second) continue;
      add(p, block_size(p));
    }
  }

  void find_regions() {
    add(rom::MAP_TABLE, 13 * 256);
    add(rom::MARKERS, rom::MARKER_ENTRY_SIZE * MARKER_COUNT);
    add(rom::BLOCK_TYPES, 4 * BLOCK_TYPE_COUNT);
    add(rom::PICKUP_BASE, 4 + 4 * PICKUP_TYPE_COUNT);
    add(rom::MOON_PATTERNS, 128);
    add(rom::COMMON_PATTERNS, block_size(rom::COMMON_PATTERNS));
    add(rom::COMMON_BLOCKMAP, block_size(rom::COMMON_BLOCKMAP));
    add_pointed_blocks(rom::LAYOUT_POINTERS, 256);
    add_pointed_blocks(rom::CHUNKMAP_POINTERS, 6);
    add_pointed_blocks(rom::PATTERN_POINTERS, 6);
    add_pointed_blocks(rom::BLOCKMAP_POINTERS, 6);
    add(rom::PALETTE_POINTERS, 4 * 107);
    add(0x0A3400, 0x0A7200 - 0x0A3400);  // marker names
    add(0x0C4000, 0x0C7000 - 0x0C4000);  // pickup records
  }

  RomImage sample_, work_;
  std::vector<Region> regions_;
  std::vector<std::pair<size_t, uint8_t>> changed_;
};
