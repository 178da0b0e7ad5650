// Longest-match search of the PP20 coder. Matches run downwards: a match of length L at
// position p with distance d pairs bytes p, p-1, ..., p-L+1 with p+1+d, p+d, ..., and d runs
// from 0 to min(size-1-p, 8191)-1. The result is exactly that of trying every distance
// (the longest match, and among equally long ones the smallest distance), found through
// hash chains instead.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

struct Pp20Match {
  int32_t length = 0;  // 0 when no candidate matches two or more bytes
  int32_t distance = 0;
};

struct Pp20MatchTables;

struct Pp20MatchFinder {
  Pp20MatchFinder(const uint8_t* data, int32_t size);
  ~Pp20MatchFinder();
  Pp20MatchFinder(const Pp20MatchFinder&) = delete;
  Pp20MatchFinder& operator=(const Pp20MatchFinder&) = delete;
  // The longest match at p; among equally long ones the smallest distance. Calls must come
  // with p decreasing.
  Pp20Match longest(int32_t p);

 private:
  // The search works on the data reversed (position i = size-1-p), where matches run forwards
  // and candidates are the 8191 positions before i. Each position links to the previous one
  // with the same first 2 bytes, and with the same hash of its first 3 and of its first 4
  // bytes: following the links from i walks its candidates, nearest first.
  void link_until(int32_t end);  // links positions linked_ .. end-1
  int32_t run_end(int32_t j);  // end of the run of equal bytes that contains j (j increasing)
  int32_t run_end_in_window(int32_t pos);  // the same for a candidate
  int32_t longest_from_four(int32_t i, int32_t& best_j);
  int32_t nearest_three(int32_t i);
  // Position stored in a table entry (negative when the entry is from an earlier search).
  int32_t local(int32_t stored) const { return stored - base_; }

  const uint8_t* r_;  // the reversed data, in the tables
  int32_t n_;
  int32_t linked_ = 0;  // positions below this are linked
  int32_t run_lo_ = -1, run_hi_ = -1;
  std::unique_ptr<Pp20MatchTables> own_;  // when the thread's tables are taken
  Pp20MatchTables& t_;
  int32_t base_;  // added to positions stored in the tables' heads
};

// The finder's tables, kept per thread and reused by each search on it (a second finder alive
// at the same time gets tables of its own): heads hold positions plus a base that grows from
// one search to the next, so entries left by an earlier search read as too old and nothing
// needs clearing.
struct Pp20MatchTables {
  // Per-position entries: the window behind the position searched and as much ahead of it,
  // which is linked in advance.
  static constexpr int32_t ring = 16384;
  static constexpr int32_t ring_mask = ring - 1;
  static constexpr int32_t ahead = 8192;
  struct Run {
    int32_t start;   // where the run of equal bytes that the position lies in starts
    int32_t end_of;  // the position (plus base) whose run end `end` holds, once measured
    int32_t end;
  };
  // The data searched, reversed, and 8 zero bytes of padding for word compares. Kept for the
  // next search: as large as the largest data searched on the thread.
  std::vector<uint8_t> reversed;
  std::vector<int32_t> head2;         // newest position (plus base) of each 2-byte value
  std::vector<int32_t> head3, head4;  // newest position (plus base) per bucket
  // By position modulo ring: the previous position with the same first 2 bytes, or in the same
  // bucket of 3 or 4 bytes (negative: none).
  std::vector<int32_t> prev2, prev3, prev4;
  std::vector<Run> runs;  // by position modulo ring
  int32_t next_base = 0;
  bool in_use = false;
};
