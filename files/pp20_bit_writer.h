// The encoder's bit stream: bits in the order the decoder reads them, multi-bit values most
// significant bit first, and WriteBitsFromEnd, which lays the stream out in a block.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Pp20BitWriter {
  std::vector<uint32_t> words;  // full 32-bit words of the stream, first bit in bit 31 of words[0]
  uint64_t acc = 0;             // the low `pending` bits are the stream's last bits
  unsigned pending = 0;

  explicit Pp20BitWriter(uint64_t expected_bits) { words.reserve(static_cast<size_t>(expected_bits / 32 + 1)); }

  // Appends the low n bits of value (n <= 32), most significant first.
  void put(uint32_t value, unsigned n) {
    acc = (acc << n) | value;
    pending += n;
    if (pending >= 32) {
      pending -= 32;
      words.push_back(static_cast<uint32_t>(acc >> pending));
    }
  }

  uint64_t bits() const { return 32 * uint64_t(words.size()) + pending; }
};

// Writes the block for the stream and U into destination: header (S, efficiency table),
// the stream placed so that the decoder reads it from the end, U and K. Returns S, or -1
// when the block does not fit capacity.
int32_t WriteBitsFromEnd(const Pp20BitWriter& stream, uint32_t unpacked_size, uint8_t* destination,
                         size_t capacity);
