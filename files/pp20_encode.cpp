// The PP20 coder: greedy longest-match coding from the end of the data towards its start.
#include "files/pp20.h"

#include "files/pp20_bit_writer.h"
#include "files/pp20_format.h"
#include "files/pp20_match_finder.h"

namespace {

// Bits of a block that holds only literals: one literal section of n bytes.
uint64_t literal_only_bits(uint64_t n) { return n == 0 ? 0 : 8 * n + 3 + 2 * ((n - 1) / 3); }

uint8_t reverse_bits(uint8_t b) {
  b = static_cast<uint8_t>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
  b = static_cast<uint8_t>((b & 0xCC) >> 2 | (b & 0x33) << 2);
  return static_cast<uint8_t>((b & 0xAA) >> 1 | (b & 0x55) << 1);
}

// Pending literals are always a run of consecutive positions: top, top - 1, ... (count of them).
void write_literal_section(Pp20BitWriter& out, const uint8_t* data, int32_t top, int32_t count) {
  if (count == 0) {
    out.put(1, 1);
    return;
  }
  out.put(0, 1);
  for (int32_t groups = (count - 1) / 3; groups > 0; --groups) out.put(3, 2);
  out.put(static_cast<uint32_t>((count - 1) % 3), 2);
  for (int32_t i = 0; i < count; ++i) out.put(data[top - i], 8);
}

// Kind 3 lengths: groups of 111 for each full 7 above 5, then the rest in three bits.
void write_long_length(Pp20BitWriter& out, int32_t length) {
  for (int32_t groups = (length - 5) / 7; groups > 0; --groups) out.put(7, 3);
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
  const uint64_t b = stream.bits;
  const uint64_t area = 4 * ((b + 31) / 32);
  const uint64_t s = pp20_min_block_size + area;
  if (!destination || s > capacity || s > INT32_MAX) return -1;
  const unsigned k = static_cast<unsigned>((32 - b % 32) % 32);

  pp20_write_be32(destination, static_cast<uint32_t>(s));
  for (int i = 0; i < 4; ++i) destination[4 + i] = pp20_efficiency[i];
  destination[s - 4] = static_cast<uint8_t>(unpacked_size >> 16);
  destination[s - 3] = static_cast<uint8_t>(unpacked_size >> 8);
  destination[s - 2] = static_cast<uint8_t>(unpacked_size);
  destination[s - 1] = static_cast<uint8_t>(k);

  // The decoder reads from bit K of the area's last byte upwards, so the area, read from its
  // first bit, is the stream reversed followed by K zero bits. Reversing the stream padded
  // to whole bytes leaves `pad` zero bits in front, which the shift drops.
  std::vector<uint8_t> whole(stream.bytes);
  if (stream.pending) whole.push_back(static_cast<uint8_t>(stream.acc << (8 - stream.pending)));
  const size_t m = whole.size();
  const unsigned pad = static_cast<unsigned>(8 * m - b);
  auto reversed = [&](size_t q) -> unsigned { return q < m ? reverse_bits(whole[m - 1 - q]) : 0; };
  uint8_t* out = destination + pp20_stream_offset;
  for (size_t t = 0; t < area; ++t) {
    const unsigned hi = reversed(t) << pad;
    const unsigned lo = pad ? reversed(t + 1) >> (8 - pad) : 0;
    out[t] = static_cast<uint8_t>(hi | lo);
  }
  return static_cast<int32_t>(s);
}

int32_t CrunchLocation(const uint8_t* source, uint8_t* destination, size_t destination_capacity,
                       int32_t length, int32_t start) {
  if (length < 0 || static_cast<uint32_t>(length) > pp20_max_unpacked_size || start < 0) return -1;
  if (length > 0 && !source) return -1;
  const uint8_t* data = length > 0 ? source + start : nullptr;

  Pp20BitWriter out;
  out.bytes.reserve(literal_only_bits(static_cast<uint64_t>(length)) / 8 + 8);
  if (length > 0) {
    Pp20MatchFinder finder(data, length);
    // The last byte starts the pending literals; positions then run downwards.
    int32_t top = length - 1;
    int32_t pending = 1;
    int32_t p = length - 2;
    while (p >= 0) {
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
