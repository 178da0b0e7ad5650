#include "files/pp20_match_finder.h"

#include <algorithm>
#include <cstring>

#include "files/pp20_format.h"

namespace {

// Buckets per chain table: twice the window, so few positions in it share a bucket.
constexpr int hash_bits = 14;

inline uint32_t load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline uint32_t hash4(const uint8_t* p) { return (load32(p) * 2654435761u) >> (32 - hash_bits); }
inline uint32_t hash3(const uint8_t* p) { return ((load32(p) & 0xFFFFFFu) * 2654435761u) >> (32 - hash_bits); }
inline uint32_t key2(const uint8_t* p) { return uint32_t(p[0]) << 8 | p[1]; }

// Whether the n (3 or 4) bytes at p are all the same.
inline bool same_bytes(const uint8_t* p, int n) {
  const uint32_t mask = n == 4 ? 0xFFFFFFFFu : 0xFFFFFFu;
  return ((load32(p) ^ p[0] * 0x01010101u) & mask) == 0;
}

// Common prefix of a and b, at most limit bytes; both may be read up to 8 bytes past limit.
inline int32_t common_prefix(const uint8_t* a, const uint8_t* b, int32_t limit) {
  int32_t n = 0;
  while (n < limit) {
    uint64_t x, y;
    std::memcpy(&x, a + n, 8);
    std::memcpy(&y, b + n, 8);
    if (x != y) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
      n += static_cast<int32_t>(__builtin_ctzll(x ^ y) >> 3);  // the first differing byte
#else
      while (a[n] == b[n]) ++n;
#endif
      return n < limit ? n : limit;
    }
    n += 8;
  }
  return limit;
}

// End of the run of byte c that continues up to from (the first position from `from` on that
// holds another byte, or n); compares 8 bytes at a time.
inline int32_t scan_run_end(const uint8_t* r, int32_t n, int32_t from, uint8_t c) {
  const uint64_t all_c = c * 0x0101010101010101ull;
  int32_t x = from;
  for (; x + 8 <= n; x += 8) {
    uint64_t w;
    std::memcpy(&w, r + x, 8);
    if (w != all_c) break;
  }
  while (x < n && r[x] == c) ++x;
  return x;
}

// out[i] = in[size - 1 - i], eight bytes at a time.
void reverse_bytes(const uint8_t* in, int32_t size, uint8_t* out) {
  int32_t i = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  for (; i + 8 <= size; i += 8) {
    uint64_t v;
    std::memcpy(&v, in + size - 8 - i, 8);
    v = __builtin_bswap64(v);
    std::memcpy(out + i, &v, 8);
  }
#endif
  for (; i < size; ++i) out[i] = in[size - 1 - i];
}

Pp20MatchTables& thread_tables() {
  thread_local Pp20MatchTables tables;
  return tables;
}

Pp20MatchTables& free_tables(std::unique_ptr<Pp20MatchTables>& own) {
  Pp20MatchTables& shared = thread_tables();
  if (!shared.in_use) return shared;
  own = std::make_unique<Pp20MatchTables>();
  return *own;
}

// Reserves positions 0 .. size-1 (plus a window's distance) of the tables for a search and
// returns their base, starting afresh when the bases would overflow.
int32_t take_base(Pp20MatchTables& t, int32_t size) {
  if (t.head2.empty() || t.next_base > INT32_MAX - size - Pp20MatchTables::ring) {
    t.head2.assign(1 << 16, -1);
    t.head3.assign(1 << hash_bits, -1);
    t.head4.assign(1 << hash_bits, -1);
    t.prev2.assign(Pp20MatchTables::ring, -1);
    t.prev3.assign(Pp20MatchTables::ring, -1);
    t.prev4.assign(Pp20MatchTables::ring, -1);
    t.runs.assign(Pp20MatchTables::ring, {0, -1, 0});
    t.next_base = 0;
  }
  const int32_t base = t.next_base;
  t.next_base += size + Pp20MatchTables::ring;
  return base;
}

constexpr int32_t ring_mask = Pp20MatchTables::ring_mask;

}  // namespace

Pp20MatchFinder::Pp20MatchFinder(const uint8_t* data, int32_t size)
    : n_(size), t_(free_tables(own_)), base_(take_base(t_, size)) {
  t_.in_use = true;
  std::vector<uint8_t>& reversed = t_.reversed;
  if (reversed.size() < static_cast<size_t>(size) + 8) reversed.resize(static_cast<size_t>(size) + 8);
  reverse_bytes(data, size, reversed.data());
  std::fill(reversed.begin() + size, reversed.begin() + size + 8, uint8_t(0));
  r_ = reversed.data();
}

Pp20MatchFinder::~Pp20MatchFinder() { t_.in_use = false; }

int32_t Pp20MatchFinder::run_end(int32_t j) {
  if (j < run_lo_ || j >= run_hi_) {
    run_lo_ = j;
    run_hi_ = scan_run_end(r_, n_, j + 1, r_[j]);
  }
  return run_hi_;
}

int32_t Pp20MatchFinder::run_end_in_window(int32_t pos) {
  // Successive searches meet a run at the same newest position, so its end is kept there.
  Pp20MatchTables::Run& run = t_.runs[pos & ring_mask];
  if (run.end_of != base_ + pos) {
    run.end_of = base_ + pos;
    run.end = scan_run_end(r_, n_, pos + 1, r_[pos]);
  }
  return run.end;
}

void Pp20MatchFinder::link_until(int32_t end) {
  // Locals, so that the stores into the tables do not force members to be read again.
  const uint8_t* r = r_;
  const int32_t n = n_, base = base_;
  int32_t* head2 = t_.head2.data();
  int32_t* prev2 = t_.prev2.data();
  int32_t* head3 = t_.head3.data();
  int32_t* head4 = t_.head4.data();
  int32_t* prev3 = t_.prev3.data();
  int32_t* prev4 = t_.prev4.data();
  Pp20MatchTables::Run* runs = t_.runs.data();
  int32_t run_start = linked_ > 0 ? runs[(linked_ - 1) & ring_mask].start : 0;
  for (int32_t j = linked_; j < end; ++j) {
    const int32_t slot = j & ring_mask;
    const bool boundary = j == 0 || r[j - 1] != r[j];
    run_start = boundary ? j : run_start;
    runs[slot].start = run_start;
    if (j + 2 > n) continue;
    uint32_t h = key2(r + j);
    prev2[slot] = head2[h] - base;
    head2[h] = base + j;
    if (j + 3 > n) continue;
    h = hash3(r + j);
    prev3[slot] = head3[h] - base;
    head3[h] = base + j;
    if (j + 4 > n) continue;
    h = hash4(r + j);
    prev4[slot] = head4[h] - base;
    head4[h] = base + j;
  }
  linked_ = end;
}

// The longest match of 4 or more bytes (0 when there is none) among the candidates linked
// from i by its 4-byte hash, walked from the nearest; best_j gets the nearest of the longest.
//
// Once a match of `best` bytes is known, only candidates that also match the 4 bytes at
// k = best - 3 can do better, and those are linked from i + k (as positions j + k). Those
// links are usually far fewer, so the walk moves over to them, skipping the candidates
// already settled.
int32_t Pp20MatchFinder::longest_from_four(int32_t i, int32_t& best_j) {
  const uint8_t* r = r_;
  const uint8_t* here = r + i;
  const int32_t* prev4 = t_.prev4.data();
  const int32_t limit = i > pp20_window ? i - pp20_window : 0;
  const int32_t max_len = n_ - i;
  int32_t best = 3;
  best_j = -1;
  int32_t k = 0;       // the chain walked is that of i + k; its entries are candidates + k
  int32_t next_k = 0;  // the chain to move to
  int32_t walked = 0;  // steps since the walk started or moved (moving only pays on long walks)
  // Positions from linked_ on have no links yet: the walk keeps to links below it.
  const int32_t k_cap = linked_ - 1 - i;
  int32_t pos = prev4[i & ring_mask];
  while (pos - k >= limit) {
    ++walked;
    const int32_t j = pos - k;
    int32_t done = j;  // the lowest candidate settled by this step
    if (same_bytes(r + pos, 4)) {
      // pos lies in a run of one byte value c, [a, b), whose positions up to b - 4 all sit
      // in this chain one after another: the whole run is settled at once.
      const int32_t a = t_.runs[pos & ring_mask].start, b = run_end_in_window(pos);
      const int32_t lo = a - k > limit ? a - k : limit;
      if (k == 0 && here[0] == r[j]) {
        // With R the length of i's own run of c, candidate j' matches min(R, b - j') bytes,
        // and where b - j' = R the match goes on past both runs.
        const int32_t run_len = run_end(i) - i;
        const int32_t exact = b - run_len;
        int32_t len, at;
        if (exact > j) {
          len = run_len, at = j;
        } else if (exact >= lo) {
          len = run_len + common_prefix(here + run_len, r + b, max_len - run_len), at = exact;
        } else {
          len = b - lo, at = lo;
        }
        if (len > best) {
          best = len, best_j = at;
          if (best == max_len) break;
        }
      }
      // (With k > 0 the bytes at i + k are no run, so nothing in the run can match.)
      if (lo == limit) break;
      pos = prev4[a & ring_mask];
      done = lo;
    } else {
      // Only a candidate that also matches byte `best` can do better; checking the 4 bytes up
      // to it weeds out most of the others as well.
      if (load32(r + j + best - 3) == load32(here + best - 3)) {
        const int32_t len = common_prefix(here, r + j, max_len);
        if (len > best) {
          best = len, best_j = j;
          if (best == max_len) break;
        }
      }
      pos = prev4[pos & ring_mask];
    }
    if (best - 3 > next_k && best - 3 <= k_cap && !same_bytes(here + best - 3, 4)) next_k = best - 3;
    if (next_k > k && walked > 1) {
      walked = 0;
      // Candidates below `done` are left; find the first of them linked from i + next_k.
      k = next_k;
      pos = prev4[(i + k) & ring_mask];
      while (pos - k >= done) pos = prev4[pos & ring_mask];
    }
  }
  return best_j >= 0 ? best : 0;
}

// The nearest candidate that matches i's first three bytes, or -1.
int32_t Pp20MatchFinder::nearest_three(int32_t i) {
  const uint8_t* r = r_;
  const uint32_t want = load32(r + i) & 0xFFFFFFu;
  const int32_t limit = i > pp20_window ? i - pp20_window : 0;
  int32_t j = t_.prev3[i & ring_mask];
  while (j >= limit) {
    if ((load32(r + j) & 0xFFFFFFu) == want) return j;
    // A run of another value shares the bucket: skip all of it.
    if (same_bytes(r + j, 3)) {
      const int32_t a = t_.runs[j & ring_mask].start;
      if (a <= limit) break;
      j = t_.prev3[a & ring_mask];
    } else {
      j = t_.prev3[j & ring_mask];
    }
  }
  return -1;
}

Pp20Match Pp20MatchFinder::longest(int32_t p) {
  const int32_t i = n_ - 1 - p;
  const int32_t max_len = n_ - i;
  if (max_len < 2) return {};
  // Link ahead in one go, as far as the ring keeps the window behind i.
  if (linked_ <= i) link_until(max_len > Pp20MatchTables::ahead ? i + Pp20MatchTables::ahead : n_);
  // Every longer match starts with a 2-byte one: without one there is nothing to find.
  const int32_t limit = i > pp20_window ? i - pp20_window : 0;
  const int32_t two = t_.prev2[i & ring_mask];
  if (two < limit) return {};
  int32_t j = -1;
  if (max_len >= 4) {
    const int32_t len = longest_from_four(i, j);
    if (len > 0) return {len, i - 1 - j};
  }
  if (max_len >= 3) {
    j = nearest_three(i);
    if (j >= 0) return {3, i - 1 - j};
  }
  return {2, i - 1 - two};
}
