// Decoding of PP20 packed blocks, with every offset, length and read checked against the
// block and the destination.
#include <cstring>

#include "files/pp20.h"
#include "files/pp20_format.h"

namespace {

// Reads the stream from its end: from bit K & 7 of byte S - 5 - (K >> 3) towards bit 7 of
// byte 8, each byte's bits from least to most significant. The bits wait in a 64-bit buffer
// in reading order from its top bit down (each byte bit-reversed), so that a value of n bits,
// first bit most significant, is the buffer's top n bits. Reading past byte 8 sets failed
// and yields zero bits.
class StreamReader {
 public:
  bool failed = false;

  StreamReader(const uint8_t* block, ptrdiff_t first_byte, unsigned first_bit) : block_(block), next_(first_byte) {
    if (next_ < static_cast<ptrdiff_t>(pp20_stream_offset)) return;
    left_ = static_cast<uint64_t>(next_ - static_cast<ptrdiff_t>(pp20_stream_offset) + 1) * 8 - first_bit;
    buffer_ = uint64_t(static_cast<uint8_t>(reversed(block_[next_--]) << first_bit)) << 56;
    count_ = 8 - static_cast<int>(first_bit);
  }

  // n <= 32 bits, first bit read most significant.
  uint32_t read_bits(unsigned n) {
    if (n == 0) return 0;
    if (n > left_) {
      failed = true;
      left_ = 0;
      return 0;
    }
    if (count_ < static_cast<int>(n)) refill();
    const uint32_t v = static_cast<uint32_t>(buffer_ >> (64 - n));
    buffer_ <<= n;
    count_ -= static_cast<int>(n);
    left_ -= n;
    return v;
  }
  unsigned read_bit() { return read_bits(1); }

 private:
  static uint8_t reversed(uint8_t b) {
    b = static_cast<uint8_t>((b >> 4) | (b << 4));
    b = static_cast<uint8_t>(((b >> 2) & 0x33) | ((b & 0x33) << 2));
    return static_cast<uint8_t>(((b >> 1) & 0x55) | ((b & 0x55) << 1));
  }

  // Brings at least 57 bits into the buffer while the stream has them. Eight bytes are
  // loaded at once while they all lie in the stream; the bits of a byte that only partly
  // fits are the same ones its own load adds later.
  void refill() {
    const ptrdiff_t first = static_cast<ptrdiff_t>(pp20_stream_offset);
    if (next_ - 7 >= first) {
      const uint8_t* p = block_ + next_ - 7;
      uint64_t w = 0;
      for (int i = 7; i >= 0; --i) w = (w << 8) | p[i];  // block_[next_] on top
      w = ((w >> 4) & 0x0F0F0F0F0F0F0F0Full) | ((w & 0x0F0F0F0F0F0F0F0Full) << 4);
      w = ((w >> 2) & 0x3333333333333333ull) | ((w & 0x3333333333333333ull) << 2);
      w = ((w >> 1) & 0x5555555555555555ull) | ((w & 0x5555555555555555ull) << 1);
      buffer_ |= w >> count_;
      const int bytes = (64 - count_) >> 3;
      next_ -= bytes;
      count_ += 8 * bytes;
      return;
    }
    while (count_ <= 56 && next_ >= first) {
      buffer_ |= uint64_t(reversed(block_[next_--])) << (56 - count_);
      count_ += 8;
    }
  }

  const uint8_t* block_;
  ptrdiff_t next_;      // next byte to load; below pp20_stream_offset when all are loaded
  uint64_t buffer_ = 0;
  int count_ = 0;       // bits in the buffer
  uint64_t left_ = 0;   // stream bits not yet read, buffered ones included
};

// An offset of width bits (the width comes from the block and may be up to 255). Returns
// false when it is at least 2^24, which no block can use (U has 24 bits).
bool read_offset(StreamReader& in, unsigned width, uint32_t& offset) {
  while (width > 24) {
    const unsigned part = width - 24 > 24 ? 24 : width - 24;
    if (in.read_bits(part) != 0) return false;
    width -= part;
  }
  offset = in.read_bits(width);
  return true;
}

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

  StreamReader in(block, static_cast<ptrdiff_t>(s) - 5 - static_cast<ptrdiff_t>(k >> 3), k & 7u);
  // free = bytes still to be written below the write position: P + 1.
  size_t free = u;
  while (true) {
    if (in.read_bit() == 0) {
      size_t n = 1;
      uint32_t v;
      do {
        v = in.read_bits(2);
        n += v;
      } while (v == 3 && !in.failed);
      if (in.failed || n > free) return -1;
      // Four bytes per read: the first read byte is the highest one written.
      for (; n >= 4; n -= 4) {
        const uint32_t w = in.read_bits(32);
        free -= 4;
        destination[free] = static_cast<uint8_t>(w);
        destination[free + 1] = static_cast<uint8_t>(w >> 8);
        destination[free + 2] = static_cast<uint8_t>(w >> 16);
        destination[free + 3] = static_cast<uint8_t>(w >> 24);
      }
      for (; n > 0; --n) destination[--free] = static_cast<uint8_t>(in.read_bits(8));
      if (in.failed) return -1;
      if (free == 0) return static_cast<int32_t>(u);
    }
    const unsigned kind = in.read_bits(2);
    unsigned bits = width[kind];
    size_t length = kind + 2;
    uint32_t offset = 0;
    if (kind == 3) {
      if (in.read_bit() == 0) bits = 7;
      if (!read_offset(in, bits, offset)) return -1;
      uint32_t v;
      do {
        v = in.read_bits(3);
        length += v;
      } while (v == 7 && !in.failed);
    } else if (!read_offset(in, bits, offset)) {
      return -1;
    }
    if (in.failed) return -1;
    // The copy reads from P + offset + 1 downwards and writes from P = free - 1 downwards:
    // the source must already be written (below U) and the target must stay at or above 0.
    if (uint64_t(offset) + free >= u || length > free) return -1;
    const size_t distance = size_t(offset) + 1;
    free -= length;
    uint8_t* out = destination + free;
    if (distance >= length && length > 16) {
      std::memcpy(out, out + distance, length);
    } else {
      // Short, or overlapping: each byte may copy one written just before it, which repeats
      // the pattern.
      for (size_t i = length; i-- > 0;) out[i] = out[i + distance];
    }
    if (free == 0) return static_cast<int32_t>(u);
  }
}
