// The hashes a session's steps are expected to record, in the order of the steps.
#pragma once
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "test_support.h"

// Expects the recorded hashes to equal `stored` step for step; a difference names the step.
// With MOSSFORGE_PRINT_FRAME_HASHES set, prints the recorded values, five to a line, to paste
// over the stored ones (after a deliberate change of what the screens show).
inline void expect_step_hashes(const char* table, const FrameHashes& seen, const std::vector<uint64_t>& stored) {
  if (std::getenv("MOSSFORGE_PRINT_FRAME_HASHES")) {
    std::printf("%s:\n", table);
    for (size_t i = 0; i < seen.size(); ++i)
      std::printf("0x%016" PRIx64 "ull,%s", seen[i].second, i % 5 == 4 || i + 1 == seen.size() ? "\n" : " ");
  }
  EXPECT_EQ(seen.size(), stored.size()) << table;
  for (size_t i = 0; i < seen.size() && i < stored.size(); ++i)
    EXPECT_EQ(seen[i].second, stored[i]) << table << ": step " << i << " \"" << seen[i].first
                                         << "\" differs (MOSSFORGE_PRINT_FRAME_HASHES=1 prints the new values)";
}
