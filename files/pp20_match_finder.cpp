#include "files/pp20_match_finder.h"

#include "files/pp20_format.h"

Pp20MatchFinder::Pp20MatchFinder(const uint8_t* data, int32_t size) : data_(data), size_(size) {}

Pp20Match Pp20MatchFinder::longest(int32_t p) {
  Pp20Match best;
  int32_t window = size_ - 1 - p;
  if (window > pp20_window) window = pp20_window;
  for (int32_t d = window - 1; d >= 0; --d) {
    int32_t len = 0;
    while (len <= p && data_[p - len] == data_[p + 1 + d - len]) ++len;
    if (len >= best.length && len >= 2) best = {len, d};
  }
  return best;
}
