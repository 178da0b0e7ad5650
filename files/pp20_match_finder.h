// Longest-match search of the PP20 coder. Matches run downwards: a match of length L at
// position p with distance d pairs bytes p, p-1, ..., p-L+1 with p+1+d, p+d, ..., and d runs
// from 0 to min(size-1-p, 8191)-1.
#pragma once
#include <cstdint>
#include <vector>

struct Pp20Match {
  int32_t length = 0;  // 0 when no candidate matches two or more bytes
  int32_t distance = 0;
};

struct Pp20MatchFinder {
  Pp20MatchFinder(const uint8_t* data, int32_t size);
  // The longest match at p; among equally long ones the smallest distance. Calls must come
  // with p decreasing.
  Pp20Match longest(int32_t p);

 private:
  const uint8_t* data_;
  int32_t size_;
};
