// Decoding of PP20 packed blocks, with every offset, length and read checked against the
// block and the destination.
#include "files/pp20.h"

#include "files/pp20_format.h"

FILE* pp20_trace = stdout;

namespace {

// Reads the stream from its end: from bit K & 7 of byte S - 5 - (K >> 3) towards bit 7 of
// byte 8, each byte's bits from least to most significant. Reading past byte 8 sets failed
// and yields zero bits.
struct StreamReader {
  const uint8_t* block;
  ptrdiff_t byte;  // current byte; below pp20_stream_offset means the stream is used up
  unsigned bit;
  bool failed = false;

  unsigned read_bit() {
    if (byte < static_cast<ptrdiff_t>(pp20_stream_offset)) {
      failed = true;
      return 0;
    }
    const unsigned b = (block[byte] >> bit) & 1u;
    if (++bit == 8) {
      bit = 0;
      --byte;
    }
    return b;
  }

  // n <= 32 bits, first bit read most significant.
  uint32_t read_bits(unsigned n) {
    uint32_t v = 0;
    for (unsigned i = 0; i < n; ++i) v = (v << 1) | read_bit();
    return v;
  }

  // An offset of width bits (the width comes from the block and may be up to 255). Values
  // that do not fit 32 bits saturate, which every range check then rejects.
  uint64_t read_offset(unsigned width) {
    uint64_t v = 0;
    for (unsigned i = 0; i < width; ++i) {
      v = (v << 1) | read_bit();
      if (v >> 32) v = uint64_t(1) << 32;
    }
    return v;
  }
};

}  // namespace

int64_t pp20_unpacked_size(const uint8_t* source, size_t source_size, size_t start) {
  if (!source || start > source_size || source_size - start < pp20_min_block_size) return -1;
  const uint8_t* block = source + start;
  const uint32_t s = pp20_read_be32(block);
  if (s < pp20_min_block_size || s > source_size - start) return -1;
  return pp20_read_be32(block + s - 4) >> 8;
}

int32_t pp20_decrunch(const uint8_t* source, size_t source_size, uint8_t* destination,
                      size_t destination_size, size_t start) {
  const int64_t unpacked = pp20_unpacked_size(source, source_size, start);
  if (unpacked < 0) return -1;
  if (unpacked == 0) return 0;
  const uint8_t* block = source + start;
  const uint32_t s = pp20_read_be32(block);
  const uint32_t u = static_cast<uint32_t>(unpacked);
  if (!destination || destination_size < u) return -1;
  const unsigned width[4] = {block[4], block[5], block[6], block[7]};
  const unsigned k = block[s - 1];

  StreamReader in{block, static_cast<ptrdiff_t>(s) - 5 - static_cast<ptrdiff_t>(k >> 3), k & 7u};
  // free = bytes still to be written below the write position: P + 1.
  uint64_t free = u;
  while (true) {
    if (in.read_bit() == 0) {
      uint64_t n = 1;
      uint32_t v;
      do {
        v = in.read_bits(2);
        n += v;
      } while (v == 3 && !in.failed);
      if (in.failed || n > free) return -1;
      for (uint64_t i = 0; i < n; ++i) destination[--free] = static_cast<uint8_t>(in.read_bits(8));
      if (in.failed) return -1;
      if (free == 0) return static_cast<int32_t>(u);
    }
    const unsigned kind = in.read_bits(2);
    unsigned bits = width[kind];
    uint64_t length = kind + 2;
    uint64_t offset;
    if (kind == 3) {
      if (in.read_bit() == 0) bits = 7;
      offset = in.read_offset(bits);
      uint32_t v;
      do {
        v = in.read_bits(3);
        length += v;
      } while (v == 7 && !in.failed);
    } else {
      offset = in.read_offset(bits);
    }
    if (in.failed) return -1;
    // The copy reads from P + offset + 1 downwards and writes from P = free - 1 downwards:
    // the source must already be written (below U) and the target must stay at or above 0.
    if (offset + free >= u || length > free) return -1;
    for (uint64_t i = 0; i < length; ++i) {
      --free;
      destination[free] = destination[free + offset + 1];
    }
    if (free == 0) return static_cast<int32_t>(u);
  }
}
