// Reference PP20 coder for tests and benchmarks: the exhaustive greedy search written as
// plainly as possible (every distance, every byte compared), with its own bit handling, so
// that the production coder can be checked byte for byte against it.
#pragma once
#include <cstdint>
#include <vector>

struct OracleMatch {
  int32_t length = 0;
  int32_t distance = 0;
};

// Longest downward match at p over distances window-1 .. 0; a later (smaller) distance of
// equal length replaces the earlier one.
inline OracleMatch oracle_longest_match(const uint8_t* data, int32_t size, int32_t p) {
  int32_t window = size - 1 - p;
  if (window > 8191) window = 8191;
  OracleMatch best;
  for (int32_t d = window - 1; d >= 0; --d) {
    int32_t len = 0;
    while (p - len >= 0 && data[p - len] == data[p + 1 + d - len]) ++len;
    if (len >= best.length) best = {len, d};
  }
  return best;
}

// One bit per element, in the order the decoder reads them.
struct OracleBits {
  std::vector<uint8_t> bits;
  void put(uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) bits.push_back((value >> i) & 1);
  }
};

inline void oracle_literal_section(OracleBits& out, const std::vector<uint8_t>& literals) {
  if (literals.empty()) {
    out.put(1, 1);
    return;
  }
  const uint32_t n = static_cast<uint32_t>(literals.size());
  out.put(0, 1);
  for (uint32_t g = 0; g < (n - 1) / 3; ++g) out.put(3, 2);
  out.put((n - 1) % 3, 2);
  for (uint8_t b : literals) out.put(b, 8);
}

// The bit stream of data (before it is placed in a block).
inline OracleBits oracle_stream(const uint8_t* data, int32_t size) {
  OracleBits out;
  if (size == 0) return out;
  std::vector<uint8_t> literals{data[size - 1]};
  int32_t p = size - 2;
  while (p >= 0) {
    const OracleMatch m = oracle_longest_match(data, size, p);
    const uint32_t d = static_cast<uint32_t>(m.distance);
    const int32_t len = m.length;
    int kind = -1;  // 0..2: kinds E, D, C; 3: A; 4: B
    if (len >= 5)
      kind = d < 128 ? 3 : 4;
    else if (len == 4 && d <= 4095)
      kind = 2;
    else if (len == 3 && d <= 1023)
      kind = 1;
    else if (len == 2 && d <= 511)
      kind = 0;
    if (kind < 0) {
      literals.push_back(data[p]);
      if (p == 0) {
        oracle_literal_section(out, literals);
        literals.clear();
        break;
      }
      --p;
      continue;
    }
    oracle_literal_section(out, literals);
    literals.clear();
    if (kind == 0) out.put(0, 2), out.put(d, 9);
    if (kind == 1) out.put(1, 2), out.put(d, 10);
    if (kind == 2) out.put(2, 2), out.put(d, 12);
    if (kind >= 3) {
      out.put(3, 2);
      if (kind == 3) out.put(0, 1), out.put(d, 7);
      if (kind == 4) out.put(1, 1), out.put(d, 13);
      for (int32_t g = 0; g < (len - 5) / 7; ++g) out.put(7, 3);
      out.put(static_cast<uint32_t>((len - 5) % 7), 3);
    }
    p -= len;
  }
  // Inputs of one byte: the last byte is still pending.
  if (!literals.empty()) oracle_literal_section(out, literals);
  return out;
}

// A block around a stream: header, the stream placed bit by bit from the end of its area
// (first bit at bit K & 7 of byte S - 5 - (K >> 3), moving up), U and K.
inline std::vector<uint8_t> oracle_block(const OracleBits& stream, uint32_t u,
                                         const uint8_t (&efficiency)[4] = {9, 10, 12, 13}) {
  const size_t b = stream.bits.size();
  const size_t k = (32 - b % 32) % 32;
  const size_t s = 12 + 4 * ((b + 31) / 32);
  std::vector<uint8_t> block(s, 0);
  for (int i = 0; i < 4; ++i) block[i] = static_cast<uint8_t>(s >> (24 - 8 * i));
  for (int i = 0; i < 4; ++i) block[4 + i] = efficiency[i];
  block[s - 4] = static_cast<uint8_t>(u >> 16);
  block[s - 3] = static_cast<uint8_t>(u >> 8);
  block[s - 2] = static_cast<uint8_t>(u);
  block[s - 1] = static_cast<uint8_t>(k);
  size_t byte = s - 5 - (k >> 3);
  int bit = static_cast<int>(k & 7);
  for (uint8_t v : stream.bits) {
    if (v) block[byte] = static_cast<uint8_t>(block[byte] | (1 << bit));
    if (++bit == 8) bit = 0, --byte;
  }
  return block;
}

// The packed block of data as the exhaustive greedy coder writes it.
inline std::vector<uint8_t> oracle_pack(const uint8_t* data, int32_t size) {
  return oracle_block(oracle_stream(data, size), static_cast<uint32_t>(size));
}
