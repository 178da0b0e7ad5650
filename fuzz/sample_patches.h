// Fuzz inputs that damage a file of the sample game (the Genesis ROM image is 2 MiB, the
// AGA CODE data 236 KiB, so neither is an input itself) through patches:
//   byte 0            a number the target uses (the map to import)
//   then records of   region (1 byte), offset (3 bytes, big-endian), n (1 byte), n bytes
// A region is one structured piece of the file that the readers use (a table, a pointer
// table, a block it points at, a name area); the offset is taken modulo the region's size
// and the n bytes overwrite the file from there. Region 255 cuts the file short at the
// offset instead. The file is patched in place and restored after each input.
//
// The sample game comes from $MOSSFORGE_SAMPLE_DIR, or is generated once into the build
// tree by the samplegame tool.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/packed_block.h"

// Reads a file of the sample game ("genesis/glb.bin", "aga/CODE").
inline bool read_sample_game_file(const std::string& name, std::vector<uint8_t>& out) {
  if (const char* dir = std::getenv("MOSSFORGE_SAMPLE_DIR")) return read_whole_file(std::string(dir) + "/" + name, out);
  const std::string dir = MOSSFORGE_BINARY_DIR "/sample_master";
  if (read_whole_file(dir + "/" + name, out)) return true;
  const std::string cmd = "'" MOSSFORGE_BINARY_DIR "/samplegame' '" + dir + "' >/dev/null";
  return std::system(cmd.c_str()) == 0 && read_whole_file(dir + "/" + name, out);
}

class SamplePatches {
 public:
  explicit SamplePatches(std::vector<uint8_t> sample) : sample_(std::move(sample)), work_(sample_) {}

  // Adds a region (cut to the file).
  void add(size_t start, size_t size) {
    if (start < sample_.size() && size > 0) regions_.push_back({start, std::min(size, sample_.size() - start)});
  }

  // The size of the block at p as the file holds it: a packed block's S, a plain layout's
  // total, a plain chunk set up to its last entry, else `plain`.
  size_t block_size(size_t p, size_t plain) const {
    const uint8_t* b = &sample_[p];
    const size_t left = sample_.size() - p;
    if (has_packed_block_mark(sample_.data(), sample_.size(), p)) return read_be32(b);
    if (left >= 10 && b[0] == 'M' && b[1] == 'A' && b[2] == 'P') {
      const size_t at = 8 + 2 * (read_be16(b + 6) >> 4);
      return at + 2 <= left ? read_be16(b + at) : plain;
    }
    if (left >= 6 && b[0] == 'I' && b[1] == 'T' && b[2] == 'M' && b[3] == 'S') {
      const size_t at = 4 + 2 * read_be16(b + 4);
      if (at + 2 > left) return plain;
      const size_t last = read_be16(b + at);
      return last + 2 <= left ? last + 2 + 2 * b[last] * b[last + 1] : plain;
    }
    return plain;
  }

  // A table of 32-bit entries and every block they point at (entry - base: its offset).
  void add_pointed_blocks(size_t table, int entries, size_t plain, uint32_t base = 0) {
    add(table, 4 * static_cast<size_t>(entries));
    std::set<size_t> seen;
    for (int i = 0; i < entries && table + 4 * i + 4 <= sample_.size(); ++i) {
      const uint32_t v = read_be32(&sample_[table + 4 * i]);
      if (v <= base || v - base >= sample_.size() || !seen.insert(v - base).second) continue;
      add(v - base, block_size(v - base, plain));
    }
  }

  size_t region_count() const { return regions_.size(); }

  // The file with the input's patches applied.
  const std::vector<uint8_t>& apply(const uint8_t* data, size_t size) {
    size_t i = 1;
    while (i + 5 <= size && !regions_.empty()) {
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

  // Back to the sample file.
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
  std::vector<uint8_t> sample_, work_;
  std::vector<Region> regions_;
  std::vector<std::pair<size_t, uint8_t>> changed_;
};
