// Reads a packed block's stream into tokens (literal runs and references) without decoding
// any data, so tests can check how something was coded. Independent of the library decoder.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Pp20Token {
  char kind = 0;               // 'L' literal run; 'A' .. 'E' references
  std::vector<uint8_t> bytes;  // literal run: bytes in stream order (highest position first)
  uint32_t distance = 0;       // references: the offset field (distance - 1)
  uint32_t length = 0;         // bytes produced
  bool operator==(const Pp20Token& o) const {
    return kind == o.kind && bytes == o.bytes && distance == o.distance && length == o.length;
  }
};

struct Pp20TokenStream {
  std::vector<Pp20Token> tokens;
  uint32_t unpacked = 0;
  uint32_t size = 0;      // S
  uint32_t fill = 0;      // K
  uint64_t bits_read = 0;  // stream bits the tokens took
  bool ok = false;        // false when the stream ran out before U bytes
};

inline Pp20TokenStream read_pp20_tokens(const std::vector<uint8_t>& block) {
  Pp20TokenStream r;
  if (block.size() < 12) return r;
  r.size = uint32_t(block[0]) << 24 | uint32_t(block[1]) << 16 | uint32_t(block[2]) << 8 | block[3];
  if (r.size < 12 || r.size > block.size()) return r;
  r.unpacked = uint32_t(block[r.size - 4]) << 16 | uint32_t(block[r.size - 3]) << 8 | block[r.size - 2];
  r.fill = block[r.size - 1];
  const uint64_t area_bits = 8 * uint64_t(r.size - 12);
  uint64_t i = 0;
  bool out_of_bits = false;
  // The area as one big-endian number: stream bit i is its bit K + i.
  auto bit = [&]() -> uint32_t {
    const uint64_t at = r.fill + i++;
    if (at >= area_bits) {
      out_of_bits = true;
      return 0;
    }
    return (block[r.size - 5 - at / 8] >> (at % 8)) & 1;
  };
  auto bits = [&](unsigned n) {
    uint32_t v = 0;
    while (n--) v = v << 1 | bit();
    return v;
  };
  uint64_t produced = 0;
  if (r.unpacked == 0) {
    r.ok = true;
    return r;
  }
  while (!out_of_bits) {
    if (bit() == 0) {
      Pp20Token t;
      t.kind = 'L';
      uint32_t n = 1, v;
      do n += v = bits(2);
      while (v == 3 && !out_of_bits);
      for (uint32_t k = 0; k < n && !out_of_bits; ++k) t.bytes.push_back(static_cast<uint8_t>(bits(8)));
      t.length = n;
      r.tokens.push_back(t);
      produced += n;
      if (produced >= r.unpacked) break;
    }
    Pp20Token t;
    const uint32_t kind = bits(2);
    t.length = kind + 2;
    if (kind < 3) {
      t.kind = "EDC"[kind];
      t.distance = bits(block[4 + kind]);
    } else {
      const bool long_offset = bit();
      t.kind = long_offset ? 'B' : 'A';
      t.distance = bits(long_offset ? block[7] : 7);
      uint32_t v;
      do t.length += v = bits(3);
      while (v == 7 && !out_of_bits);
    }
    r.tokens.push_back(t);
    produced += t.length;
    if (produced >= r.unpacked) break;
  }
  r.bits_read = i;
  r.ok = !out_of_bits && produced == r.unpacked;
  return r;
}

inline Pp20Token literal_token(std::vector<uint8_t> bytes) {
  Pp20Token t;
  t.kind = 'L';
  t.length = static_cast<uint32_t>(bytes.size());
  t.bytes = std::move(bytes);
  return t;
}

inline Pp20Token reference_token(char kind, uint32_t distance, uint32_t length) {
  Pp20Token t;
  t.kind = kind;
  t.distance = distance;
  t.length = length;
  return t;
}

// The stream's bits as '0'/'1' in reading order (after the K skipped bits), all of the area.
inline std::string pp20_stream_bits(const std::vector<uint8_t>& block) {
  std::string out;
  if (block.size() < 12) return out;
  const size_t s = size_t(block[0]) << 24 | size_t(block[1]) << 16 | size_t(block[2]) << 8 | block[3];
  if (s < 12 || s > block.size()) return out;
  for (size_t at = block[s - 1]; at < 8 * (s - 12); ++at)
    out += ((block[s - 5 - at / 8] >> (at % 8)) & 1) ? '1' : '0';
  return out;
}

// n bits of value as '0'/'1', most significant first.
inline std::string bit_string(uint32_t value, int n) {
  std::string out;
  for (int i = n - 1; i >= 0; --i) out += ((value >> i) & 1) ? '1' : '0';
  return out;
}
