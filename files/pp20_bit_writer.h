// The encoder's bit stream: bits in the order the decoder reads them, multi-bit values most
// significant bit first, and WriteBitsFromEnd, which lays the stream out in a block.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Pp20BitWriter {
  std::vector<uint8_t> bytes;  // full bytes of the stream, first bit in bit 7 of bytes[0]
  uint64_t acc = 0;            // the last `pending` bits, not yet a full byte
  unsigned pending = 0;
  uint64_t bits = 0;           // total bits written

  // Appends the low n bits of value (n <= 32), most significant first.
  void put(uint32_t value, unsigned n) {
    acc = (acc << n) | value;
    pending += n;
    bits += n;
    while (pending >= 8) {
      pending -= 8;
      bytes.push_back(static_cast<uint8_t>(acc >> pending));
    }
    acc &= (uint64_t(1) << pending) - 1;
  }
};

// Writes the block for the stream and U into destination: header (S, efficiency table),
// the stream placed so that the decoder reads it from the end, U and K. Returns S, or -1
// when the block does not fit capacity.
int32_t WriteBitsFromEnd(const Pp20BitWriter& stream, uint32_t unpacked_size, uint8_t* destination,
                         size_t capacity);
