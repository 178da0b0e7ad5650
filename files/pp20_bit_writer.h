// The encoder's bit stream: bits in the order the decoder reads them, multi-bit values most
// significant bit first, and WriteBitsFromEnd, which lays the stream out in a block.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Collects the stream in 32-bit words (the first bit in bit 31 of word 0), stored directly in
// the stream area of the block being written, where WriteBitsFromEnd rearranges them.
struct Pp20BitWriter {
  uint8_t* area;          // room for `room` words
  size_t room;
  size_t words = 0;       // full words written (or that would have been, past `room`)
  uint64_t acc = 0;       // the low `pending` bits are the stream's last bits
  unsigned pending = 0;

  Pp20BitWriter(uint8_t* stream_area, size_t words_room) : area(stream_area), room(words_room) {}

  // Appends the low n bits of value (n <= 32), most significant first.
  // (Without a branch on completing a word, which would be hard to predict: the word being
  // filled is stored every time, and the count moves on when it is complete.)
  void put(uint32_t value, unsigned n) {
    acc = (acc << n) | value;
    pending += n;
    const unsigned complete = pending >= 32;
    pending -= 32 * complete;
    const uint32_t word = static_cast<uint32_t>(acc >> pending);
    if (words < room) std::memcpy(area + 4 * words, &word, 4);
    words += complete;
  }

  uint64_t bits() const { return 32 * uint64_t(words) + pending; }
  // The stream no longer fits the room it was given.
  bool full() const { return words > room; }
};

// Completes the block whose stream area `stream` was writing into (destination + 8): header
// (S, efficiency table), the stream placed so that the decoder reads it from the end, U and
// K. Returns S, or -1 when the block does not fit capacity.
int32_t WriteBitsFromEnd(const Pp20BitWriter& stream, uint32_t unpacked_size, uint8_t* destination,
                         size_t capacity);
