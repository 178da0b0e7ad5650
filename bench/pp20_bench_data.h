// Generated inputs for the PP20 benchmark, near to what the coder packs in use: chunk-set-like
// blocks and mixed binary data. Deterministic for a given seed.
#pragma once
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace pp20_samples {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& b, unsigned v) {
  b.push_back(static_cast<uint8_t>(v >> 8));
  b.push_back(static_cast<uint8_t>(v));
}

// A chunk-set block: "ITMS", a count, an offset table and chunks of big-endian cell words.
// Chunks reuse a small set of blocks, come in a few common sizes, have rows that repeat and
// empty areas, and later chunks are often near-copies of earlier ones.
inline Bytes chunk_set_like(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  auto pick = [&](unsigned n) { return static_cast<unsigned>(rng() % n); };
  std::vector<Bytes> chunks;
  size_t total = 6;
  while (total < size) {
    static const unsigned sizes[] = {16, 16, 16, 8, 4, 2, 12};
    const unsigned w = sizes[pick(7)], h = sizes[pick(7)];
    Bytes c{static_cast<uint8_t>(w), static_cast<uint8_t>(h)};
    if (!chunks.empty() && pick(3) == 0) {
      // A variant of an earlier chunk of the same shape, or a fresh one when none fits.
      const Bytes& old = chunks[pick(static_cast<unsigned>(chunks.size()))];
      if (old[0] == w && old[1] == h) {
        c = old;
        for (unsigned n = pick(6); n > 0; --n) {
          const size_t at = 2 + 2 * pick(w * h);
          c[at + 1] = static_cast<uint8_t>(24 + pick(200));
        }
      }
    }
    if (c.size() == 2) {
      const unsigned theme_base = 24 + pick(100);
      unsigned prev_row_start = 0;
      for (unsigned r = 0; r < h; ++r) {
        const size_t row_start = c.size();
        if (r > 0 && pick(3) == 0) {  // repeat the previous row
          for (unsigned x = 0; x < 2 * w; ++x) c.push_back(c[prev_row_start + x]);
        } else {
          unsigned cell = 0;
          for (unsigned x = 0; x < w; ++x) {
            if (x == 0 || pick(4) == 0) {
              const unsigned kind = pick(10);
              cell = kind < 4 ? 0 : kind < 8 ? theme_base + pick(12) : pick(24);
              if (pick(8) == 0) cell |= 0x1000;  // vertical flip
              if (pick(16) == 0) cell |= 0x0200;  // attribute bits
            }
            put16(c, cell);
          }
        }
        prev_row_start = static_cast<unsigned>(row_start);
      }
    }
    total += 2 + c.size();
    chunks.push_back(c);
  }
  Bytes out{'I', 'T', 'M', 'S'};
  put16(out, static_cast<unsigned>(chunks.size()));
  unsigned offset = 6 + 2 * static_cast<unsigned>(chunks.size());
  for (const Bytes& c : chunks) {
    put16(out, offset & 0xFFFF);
    offset += static_cast<unsigned>(c.size());
  }
  for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
  out.resize(size);
  return out;
}

// Mixed binary data of the kind found in game files and executables: code-like bytes with a
// skewed distribution, text, tables of small 16- and 32-bit numbers, zero padding and copies
// of earlier stretches.
inline Bytes mixed_binary(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  auto pick = [&](unsigned n) { return static_cast<unsigned>(rng() % n); };
  static const char* words[] = {"level", "chunk", "ERROR: ", "block", "the ", "map", "%s\n",
                                "palette", "sprite", ".itm", "GLUBBERT", "data/", "0x%04X"};
  Bytes out;
  while (out.size() < size) {
    switch (pick(6)) {
      case 0:  // code: opcodes from a small set with random operands
        for (unsigned n = 32 + pick(400); n > 0; --n) {
          static const uint8_t ops[] = {0x48, 0x89, 0x8B, 0xE8, 0x0F, 0x85, 0x4C, 0xC3, 0x83, 0x74};
          out.push_back(ops[pick(10)]);
          if (pick(2)) out.push_back(static_cast<uint8_t>(rng()));
        }
        break;
      case 1:  // text
        for (unsigned n = 4 + pick(40); n > 0; --n) {
          const std::string w = words[pick(13)];
          out.insert(out.end(), w.begin(), w.end());
        }
        break;
      case 2:  // table of small numbers
        for (unsigned n = 8 + pick(200); n > 0; --n) {
          const unsigned v = pick(4) ? pick(64) : pick(65536);
          if (pick(2)) out.push_back(0), out.push_back(0);
          put16(out, v);
        }
        break;
      case 3:  // padding
        out.insert(out.end(), 1 + pick(pick(4) ? 64 : 3000), pick(8) ? 0 : 0xFF);
        break;
      case 4:  // an earlier stretch again, from near or far
        if (out.size() > 64) {
          const size_t len = 8 + pick(300);
          const size_t from = out.size() - 1 - pick(static_cast<unsigned>(std::min<size_t>(out.size() - 1, 20000)));
          for (size_t i = 0; i < len; ++i) out.push_back(out[from + i]);
        }
        break;
      default:  // noise (compressed or random data)
        for (unsigned n = 16 + pick(500); n > 0; --n) out.push_back(static_cast<uint8_t>(rng()));
        break;
    }
  }
  out.resize(size);
  return out;
}

}  // namespace pp20_samples
