// The PP20 coder: greedy longest-match coding from the end of the data towards its start.
#include "files/pp20.h"

#include "files/pp20_bit_writer.h"
#include "files/pp20_format.h"
#include "files/pp20_match_finder.h"

namespace {

// Bits of a block that holds only literals: one literal section of n bytes.
uint64_t literal_only_bits(uint64_t n) { return n == 0 ? 0 : 8 * n + 3 + 2 * ((n - 1) / 3); }

uint32_t reverse_bits(uint32_t v) {
  v = (v >> 1 & 0x55555555u) | (v & 0x55555555u) << 1;
  v = (v >> 2 & 0x33333333u) | (v & 0x33333333u) << 2;
  v = (v >> 4 & 0x0F0F0F0Fu) | (v & 0x0F0F0F0Fu) << 4;
  v = (v >> 8 & 0x00FF00FFu) | (v & 0x00FF00FFu) << 8;
  return v >> 16 | v << 16;
}

// n groups of all-one bits, `width` bits each, written up to 30 bits at a time.
void write_one_groups(Pp20BitWriter& out, uint32_t n, unsigned width) {
  const uint32_t per_put = 30 / width;
  for (; n >= per_put; n -= per_put) out.put((1u << (per_put * width)) - 1, per_put * width);
  if (n) out.put((1u << (n * width)) - 1, n * width);
}

// Pending literals are always a run of consecutive positions: top, top - 1, ... (count of them).
void write_literal_section(Pp20BitWriter& out, const uint8_t* data, int32_t top, int32_t count) {
  if (count == 0) {
    out.put(1, 1);
    return;
  }
  // 0, then groups of 11 for each full 3 above 1, the rest in two bits; then the bytes.
  out.put(0, 1);
  write_one_groups(out, static_cast<uint32_t>((count - 1) / 3), 2);
  out.put(static_cast<uint32_t>((count - 1) % 3), 2);
  const uint8_t* byte = data + top;
  int32_t left = count;
  for (; left >= 4; left -= 4, byte -= 4)
    out.put(uint32_t(byte[0]) << 24 | uint32_t(byte[-1]) << 16 | uint32_t(byte[-2]) << 8 | byte[-3], 32);
  for (; left > 0; --left, --byte) out.put(*byte, 8);
}

// Kind 3 lengths: groups of 111 for each full 7 above 5, then the rest in three bits.
void write_long_length(Pp20BitWriter& out, int32_t length) {
  write_one_groups(out, static_cast<uint32_t>((length - 5) / 7), 3);
  out.put(static_cast<uint32_t>((length - 5) % 7), 3);
}

// Writes the reference for the longest match, or returns false when the match is too far
// for its length and the byte must go out as a literal.
bool write_reference(Pp20BitWriter& out, const Pp20Match& m, const uint8_t* data, int32_t top,
                     int32_t pending) {
  const uint32_t d = static_cast<uint32_t>(m.distance);
  if (m.length >= 5) {
    write_literal_section(out, data, top, pending);
    out.put(3, 2);
    if (d < 128) {
      out.put(0, 1);
      out.put(d, 7);
    } else {
      out.put(1, 1);
      out.put(d, 13);
    }
    write_long_length(out, m.length);
    return true;
  }
  static const uint32_t max_distance[5] = {0, 0, 511, 1023, 4095};
  if (m.length < 2 || d > max_distance[m.length]) return false;
  write_literal_section(out, data, top, pending);
  out.put(static_cast<uint32_t>(m.length - 2), 2);
  out.put(d, pp20_efficiency[m.length - 2]);
  return true;
}

}  // namespace

int32_t WriteBitsFromEnd(const Pp20BitWriter& stream, uint32_t unpacked_size, uint8_t* destination,
                         size_t capacity) {
  const uint64_t b = stream.bits();
  const size_t words = static_cast<size_t>((b + 31) / 32);
  const uint64_t s = pp20_min_block_size + 4 * uint64_t(words);
  if (!destination || s > capacity || s > INT32_MAX || stream.area != destination + pp20_stream_offset)
    return -1;
  const unsigned k = static_cast<unsigned>((32 - b % 32) % 32);

  pp20_write_be32(destination, static_cast<uint32_t>(s));
  for (int i = 0; i < 4; ++i) destination[4 + i] = pp20_efficiency[i];
  pp20_write_be32(destination + s - 4, unpacked_size << 8 | k);

  // Read as one big-endian number, the area holds stream bit i at bit K + i: the stream with
  // its bit order reversed, shifted up by K. So the words go in reverse order, each with its
  // bits reversed, and K bits of each move into the word before it.
  uint8_t* area = destination + pp20_stream_offset;
  auto word_at = [area](size_t w) {
    uint32_t v;
    std::memcpy(&v, area + 4 * w, 4);
    return v;
  };
  auto set_word = [area](size_t w, uint32_t v) { std::memcpy(area + 4 * w, &v, 4); };
  if (stream.pending) set_word(words - 1, static_cast<uint32_t>(stream.acc << (32 - stream.pending)));
  for (size_t t = 0; t < words / 2; ++t) {
    const uint32_t low = word_at(t);
    set_word(t, word_at(words - 1 - t));
    set_word(words - 1 - t, low);
  }
  for (size_t u = 0; u < words; ++u) {
    const uint32_t here = reverse_bits(word_at(u));
    const uint32_t next = u + 1 < words ? reverse_bits(word_at(u + 1)) : 0;
    pp20_write_be32(area + 4 * u, k ? here << k | next >> (32 - k) : here);
  }
  return static_cast<int32_t>(s);
}

int32_t CrunchLocation(const uint8_t* source, uint8_t* destination, size_t destination_capacity,
                       int32_t length, int32_t start) {
  if (length < 0 || static_cast<uint32_t>(length) > pp20_max_unpacked_size || start < 0) return -1;
  if (length > 0 && !source) return -1;
  const uint8_t* data = length > 0 ? source + start : nullptr;

  if (!destination) return -1;
  // The stream goes straight into the block's stream area, as far as the capacity allows.
  const bool roomy = destination_capacity >= pp20_min_block_size;
  Pp20BitWriter out(roomy ? destination + pp20_stream_offset : nullptr,
                    roomy ? (destination_capacity - pp20_min_block_size) / 4 : 0);
  if (length > 0) {
    Pp20MatchFinder finder(data, length);
    // The last byte starts the pending literals; positions then run downwards.
    int32_t top = length - 1;
    int32_t pending = 1;
    int32_t p = length - 2;
    while (p >= 0) {
      if (out.full()) return -1;
      const Pp20Match m = finder.longest(p);
      if (write_reference(out, m, data, top, pending)) {
        p -= m.length;
        top = p;
        pending = 0;
      } else {
        ++pending;
        --p;
      }
    }
    if (pending > 0) write_literal_section(out, data, top, pending);
  }
  return WriteBitsFromEnd(out, static_cast<uint32_t>(length), destination, destination_capacity);
}

size_t pp20_max_packed_size(size_t size) {
  return pp20_min_block_size + 4 * ((literal_only_bits(size) + 31) / 32);
}

std::vector<uint8_t> pp20_pack(const uint8_t* data, size_t size) {
  if (size > pp20_max_unpacked_size) return {};
  std::vector<uint8_t> block(pp20_max_packed_size(size));
  const int32_t s = CrunchLocation(data, block.data(), block.size(), static_cast<int32_t>(size));
  if (s < 0) return {};
  block.resize(static_cast<size_t>(s));
  return block;
}
