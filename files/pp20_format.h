// Layout constants of PP20 packed blocks shared by the decoder and the encoder.
#pragma once
#include <cstddef>
#include <cstdint>

// S (4 bytes) and the efficiency table (4 bytes) precede the stream; U and K (4 bytes) follow.
constexpr size_t pp20_stream_offset = 8;
constexpr size_t pp20_min_block_size = 12;
// Offset widths of match kinds 0..3 written into every block.
constexpr uint8_t pp20_efficiency[4] = {9, 10, 12, 13};
// Farthest match: the offset field holds distance - 1, at most 8190 (13 bits, 0x1FFE).
constexpr int32_t pp20_window = 8191;

inline uint32_t pp20_read_be32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

inline void pp20_write_be32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24);
  p[1] = uint8_t(v >> 16);
  p[2] = uint8_t(v >> 8);
  p[3] = uint8_t(v);
}
