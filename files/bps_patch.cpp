#include "files/bps_patch.h"

#include <cstdio>
#include <cstring>

#include "files/atomic_file.h"
#include "files/crc32.h"

namespace {

constexpr char MAGIC[4] = {'B', 'P', 'S', '1'};
constexpr size_t FOOTER = 12;  // three CRC-32s
enum Action : uint64_t { SOURCE_READ = 0, TARGET_READ = 1, SOURCE_COPY = 2, TARGET_COPY = 3 };

void put_le32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
uint32_t get_le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Numbers: 7 bits a byte, lowest group first, the top bit on the last byte; each
// continuation adds one, so every number has exactly one encoding.
void put_number(std::vector<uint8_t>& out, uint64_t n) {
  for (;;) {
    const uint8_t b = n & 0x7F;
    n >>= 7;
    if (n == 0) {
      out.push_back(0x80 | b);
      return;
    }
    out.push_back(b);
    --n;
  }
}
size_t number_size(uint64_t n) {
  size_t bytes = 1;
  while ((n >>= 7) != 0) {
    --n;
    ++bytes;
  }
  return bytes;
}
// A cursor move as SourceCopy and TargetCopy code it: the distance, its sign in bit 0.
uint64_t relative(size_t from, size_t to) {
  return to >= from ? static_cast<uint64_t>(to - from) << 1 : (static_cast<uint64_t>(from - to) << 1) | 1;
}

// Matches are found through chains of earlier positions with the same four bytes. Inside a
// run of one byte value only the run's first position is entered (it gives the longest
// match), so runs do not fill the chains.
class MatchIndex {
 public:
  static constexpr int DEPTH = 128;  // candidates tried per position

  // About one chain head per position, 2^10 to 2^18 of them: small inputs stay cheap.
  MatchIndex(const uint8_t* data, size_t size) : data_(data), size_(size) {
    while (bits_ < 18 && (size_t{1} << bits_) < size) ++bits_;
    head_.assign(size_t{1} << bits_, -1);
    next_.assign(size, -1);
  }
  void add(size_t p) {
    if (p + 4 > size_ || (p > 0 && std::memcmp(data_ + p - 1, data_ + p, 4) == 0)) return;
    int32_t& h = head_[hash(data_ + p)];
    next_[p] = h;
    h = static_cast<int32_t>(p);
  }
  // Calls visit(p) for up to DEPTH entered positions whose four bytes equal those at key.
  template <class Visit>
  void candidates(const uint8_t* key, Visit visit) const {
    int depth = 0;
    for (int32_t p = head_[hash(key)]; p >= 0 && depth < DEPTH; p = next_[p], ++depth)
      if (std::memcmp(data_ + p, key, 4) == 0) visit(static_cast<size_t>(p));
  }

 private:
  uint32_t hash(const uint8_t* p) const { return (get_le32(p) * 2654435761u) >> (32 - bits_); }
  const uint8_t* data_;
  size_t size_;
  int bits_ = 10;
  std::vector<int32_t> head_, next_;
};

size_t common_length(const uint8_t* a, const uint8_t* b, size_t limit) {
  size_t n = 0;
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

struct Encoder {
  const uint8_t* source;
  size_t source_size;
  const uint8_t* target;
  size_t target_size;
  std::vector<uint8_t> out;
  size_t source_cursor = 0, target_cursor = 0;
  size_t literal_start = 0, literal_length = 0;

  void flush_literals() {
    if (literal_length == 0) return;
    put_number(out, ((literal_length - 1) << 2) | TARGET_READ);
    out.insert(out.end(), target + literal_start, target + literal_start + literal_length);
    literal_length = 0;
  }

  struct Choice {
    Action kind = TARGET_READ;
    size_t length = 0, from = 0;
    long long gain = 0;  // bytes saved against carrying them as literals
  };

  // The best action at output offset o: the longest match, less what coding it costs.
  Choice choose(size_t o, const MatchIndex& source_index, const MatchIndex& target_index) const {
    Choice best;
    const size_t left = target_size - o;
    auto consider = [&](Action kind, size_t from, size_t length, size_t cursor_bytes) {
      if (length < 4) return;
      const long long gain = static_cast<long long>(length) -
                             static_cast<long long>(number_size((length - 1) << 2) + cursor_bytes);
      if (gain > best.gain) best = Choice{kind, length, from, gain};
    };
    if (o < source_size)
      consider(SOURCE_READ, o, common_length(source + o, target + o, std::min(left, source_size - o)), 0);
    if (left < 4) return best;
    source_index.candidates(target + o, [&](size_t p) {
      consider(SOURCE_COPY, p, common_length(source + p, target + o, std::min(left, source_size - p)),
               number_size(relative(source_cursor, p)));
    });
    target_index.candidates(target + o, [&](size_t p) {
      if (p < o)
        consider(TARGET_COPY, p, common_length(target + p, target + o, left), number_size(relative(target_cursor, p)));
    });
    return best;
  }

  void emit(const Choice& c) {
    flush_literals();
    put_number(out, ((c.length - 1) << 2) | c.kind);
    if (c.kind == SOURCE_COPY) {
      put_number(out, relative(source_cursor, c.from));
      source_cursor = c.from + c.length;
    } else if (c.kind == TARGET_COPY) {
      put_number(out, relative(target_cursor, c.from));
      target_cursor = c.from + c.length;
    }
  }
};

}  // namespace

std::vector<uint8_t> bps_create(const uint8_t* source, size_t source_size, const uint8_t* target,
                                size_t target_size) {
  Encoder e{source, source_size, target, target_size, {}};
  e.out.assign(MAGIC, MAGIC + 4);
  put_number(e.out, source_size);
  put_number(e.out, target_size);
  put_number(e.out, 0);  // no metadata

  MatchIndex source_index(source, source_size), target_index(target, target_size);
  for (size_t p = 0; p < source_size; ++p) source_index.add(p);
  size_t o = 0, indexed = 0;
  Encoder::Choice next;  // the choice at o + 1, when it has been looked at
  bool have_next = false;
  while (o < target_size) {
    for (; indexed < o; ++indexed) target_index.add(indexed);
    Encoder::Choice c = have_next ? next : e.choose(o, source_index, target_index);
    have_next = false;
    // One byte of delay: when a clearly better match starts at the next byte, this byte
    // goes as a literal (the cursors do not move, so that choice stays valid).
    if (c.length > 0 && o + 1 < target_size) {
      target_index.add(indexed++);
      next = e.choose(o + 1, source_index, target_index);
      have_next = next.gain > c.gain + 1;
      if (have_next) c.length = 0;
    }
    if (c.length == 0) {
      if (e.literal_length == 0) e.literal_start = o;
      ++e.literal_length;
      ++o;
      continue;
    }
    e.emit(c);
    o += c.length;
  }
  e.flush_literals();
  put_le32(e.out, crc32_of(source, source_size));
  put_le32(e.out, crc32_of(target, target_size));
  put_le32(e.out, crc32_of(e.out.data(), e.out.size()));
  return std::move(e.out);
}

namespace {

// Reads the patch's numbers and literal bytes, never past its actions (the CRCs follow them).
struct PatchReader {
  const uint8_t* data;
  size_t end, at;

  bool number(uint64_t& v) {
    v = 0;
    uint64_t shift = 1;
    // Eight bytes reach 2^56, past every size this decoder takes; more is malformed.
    for (int i = 0; i < 8 && at < end; ++i) {
      const uint8_t b = data[at++];
      v += (b & 0x7F) * shift;
      if (b & 0x80) return true;
      shift <<= 7;
      v += shift;
    }
    return false;
  }
};

std::string size_text(uint64_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

std::string crc_text(uint32_t crc) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08X", crc);
  return buf;
}

// Moves a copy cursor by a coded distance; false when it would leave [0, limit].
bool move_cursor(uint64_t coded, size_t limit, size_t& cursor) {
  const uint64_t distance = coded >> 1;
  if (coded & 1) {
    if (distance > cursor) return false;
    cursor -= distance;
  } else {
    if (distance > limit - cursor) return false;
    cursor += distance;
  }
  return true;
}

}  // namespace

BpsRefusal bps_apply(const uint8_t* source, size_t source_size, const uint8_t* patch, size_t patch_size,
                     std::vector<uint8_t>& out, std::string& why) {
  out.clear();
  auto bad = [&](const std::string& reason) {
    out.clear();
    why = reason;
    return BpsRefusal::BadPatch;
  };
  if (patch_size < 4 || std::memcmp(patch, MAGIC, 4) != 0) return bad("it is not a BPS patch (no \"BPS1\")");
  if (patch_size < 4 + 3 + FOOTER) return bad("it is truncated (" + size_text(patch_size) + ")");
  if (crc32_of(patch, patch_size - 4) != get_le32(patch + patch_size - 4))
    return bad("it is damaged or truncated (its CRC32 does not match)");

  PatchReader r{patch, patch_size - FOOTER, 4};
  uint64_t source_needed = 0, target_size = 0, metadata = 0;
  if (!r.number(source_needed) || !r.number(target_size) || !r.number(metadata))
    return bad("its header is malformed");
  if (metadata > r.end - r.at) return bad("its metadata runs past its end");
  r.at += metadata;
  if (target_size > BPS_FILE_LIMIT)
    return bad("it makes a file of " + size_text(target_size) + ", more than " + size_text(BPS_FILE_LIMIT));
  const uint32_t source_crc = get_le32(patch + patch_size - 12), target_crc = get_le32(patch + patch_size - 8);
  if (source_needed != source_size || crc32_of(source, source_size) != source_crc) {
    why = "the patch was made from a source of " + size_text(source_needed) + " with CRC32 " + crc_text(source_crc) +
          ", this one has " + size_text(source_size) + " and CRC32 " + crc_text(crc32_of(source, source_size));
    return BpsRefusal::WrongSource;
  }

  out.resize(target_size);
  size_t o = 0, source_cursor = 0, target_cursor = 0;
  while (r.at < r.end) {
    uint64_t d = 0, coded = 0;
    const size_t action_at = r.at;
    if (!r.number(d)) return bad("an action is malformed at offset " + std::to_string(action_at));
    const uint64_t kind = d & 3, length = (d >> 2) + 1;
    const auto where = [&] { return " at offset " + std::to_string(action_at); };
    if (length > target_size - o) return bad("an action writes past the end of the target" + where());
    switch (kind) {
      case SOURCE_READ:
        if (o + length > source_size) return bad("an action reads past the end of the source" + where());
        std::memcpy(&out[o], source + o, length);
        break;
      case TARGET_READ:
        if (length > r.end - r.at) return bad("an action's bytes run past the end of the actions" + where());
        std::memcpy(&out[o], patch + r.at, length);
        r.at += length;
        break;
      case SOURCE_COPY:
        if (!r.number(coded) || !move_cursor(coded, source_size, source_cursor) ||
            length > source_size - source_cursor)
          return bad("an action copies from outside the source" + where());
        std::memcpy(&out[o], source + source_cursor, length);
        source_cursor += length;
        break;
      default:
        // Copies from what is written already, byte by byte: it may overlap what it writes.
        if (!r.number(coded) || !move_cursor(coded, o, target_cursor) || target_cursor >= o)
          return bad("an action copies from outside the target written so far" + where());
        for (uint64_t i = 0; i < length; ++i) out[o + i] = out[target_cursor + i];
        target_cursor += length;
        break;
    }
    o += length;
  }
  if (o != target_size)
    return bad("its actions write " + size_text(o) + " of the " + size_text(target_size) + " it promises");
  if (crc32_of(out.data(), out.size()) != target_crc) return bad("the result does not have the CRC32 it promises");
  return BpsRefusal::None;
}

bool create_patch_file(const std::string& source_path, const std::string& target_path, const std::string& out_path,
                       Problem& problem, size_t* patch_size) {
  std::vector<uint8_t> source, target;
  if (!read_whole_file(source_path, source, &problem, BPS_FILE_LIMIT) ||
      !read_whole_file(target_path, target, &problem, BPS_FILE_LIMIT))
    return false;
  const std::vector<uint8_t> patch = bps_create(source.data(), source.size(), target.data(), target.size());
  if (std::string why; !write_file_atomic(out_path, patch, &why)) {
    problem = write_problem(Problem::Kind::CannotWrite, out_path, why);
    return false;
  }
  if (patch_size) *patch_size = patch.size();
  return true;
}

bool apply_patch_file(const std::string& source_path, const std::string& patch_path, const std::string& out_path,
                      Problem& problem) {
  std::vector<uint8_t> source, patch, target;
  // A patch is never larger than its target plus a few bytes an action.
  if (!read_whole_file(source_path, source, &problem, BPS_FILE_LIMIT) ||
      !read_whole_file(patch_path, patch, &problem, 2 * BPS_FILE_LIMIT))
    return false;
  std::string why;
  switch (bps_apply(source.data(), source.size(), patch.data(), patch.size(), target, why)) {
    case BpsRefusal::None:
      break;
    case BpsRefusal::WrongSource:
      problem = Problem(Problem::Kind::Contents, source_path, "", "not the source of \"" + patch_path + "\": " + why);
      return false;
    case BpsRefusal::BadPatch:
      problem = Problem(Problem::Kind::Contents, patch_path, "", why);
      return false;
  }
  if (!write_file_atomic(out_path, target, &why)) {
    problem = write_problem(Problem::Kind::CannotWrite, out_path, why);
    return false;
  }
  return true;
}

std::string patch_path_for(const std::string& image_path) {
  const size_t slash = image_path.find_last_of("/\\");
  const size_t dot = image_path.rfind('.');
  const bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (has_extension ? image_path.substr(0, dot) : image_path) + ".bps";
}
