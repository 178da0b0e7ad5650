// Headless test harness: Allegro without a display, the screen bitmaps at a given size,
// the real interface images from data/, and a scripted input source.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gamedata/bitmap.h"
#include "ui/screen_state.h"
#include "ui/scripted_input.h"

// Prepares graphics and screen bitmaps at w x h with the font from data/; idempotent.
void headless_screen(int w = 640, int h = 480);
std::string source_path(const std::string& relative);
// A fresh empty directory under the build tree for one test.
std::string scratch_dir(const std::string& name);

// The mossforge binary run in dir with the arguments (already quoted): its exit status and
// what it wrote to stdout and stderr (kept in dir as out.txt and err.txt).
struct CommandRun {
  int status;
  std::string out, err;
};
CommandRun run_mossforge(const std::string& dir, const std::string& args);

// Changes the working directory for the lifetime of the guard.
struct ScopedCwd {
  explicit ScopedCwd(const std::string& dir);
  ~ScopedCwd();
  std::string previous;
};

// A test on the headless screen whose working directory is a fresh scratch directory named
// after it, `dir`, until it ends.
class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { cwd.reset(); }
  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
};

// While alive, a process running as root acts as the user "nobody", so that file
// permissions apply to it (root reads and writes whatever they say); elsewhere it does nothing.
class ScopedUnprivileged {
 public:
  ScopedUnprivileged();
  ~ScopedUnprivileged();
  ScopedUnprivileged(const ScopedUnprivileged&) = delete;
  ScopedUnprivileged& operator=(const ScopedUnprivileged&) = delete;

 private:
  bool dropped_ = false;
};

// Red, green and blue of a 32-bit pixel, compared by channel.
struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
Rgb rgb_at(BITMAP* b, int x, int y);

// FNV-1a: the hash h (FNV_START at first) continued over n more bytes.
constexpr uint64_t FNV_START = 14695981039346656037ull;
uint64_t fnv_mix(uint64_t h, const void* bytes, size_t n);
// Pixel identity of presented frames: a hash of the colours (alpha left out) of a bitmap.
uint64_t colour_hash(BITMAP* b);
// With MOSSFORGE_TOUR_FRAMES=DIR set, writes a session's frame as DIR/<index>.png to look at,
// without alpha (the editor's own colours carry none, and viewers would show them transparent).
void save_tour_frame(BITMAP* frame, size_t index);
// FNV-1a over the path and bytes of every file below dir, in path order; files whose path
// starts with one of `skip` are left out.
uint64_t tree_hash(const std::string& dir, const std::vector<std::string>& skip = {});
// Named frame hashes as a tour recorded them, in order.
using FrameHashes = std::vector<std::pair<std::string, uint64_t>>;
// Expects every recorded hash to equal the stored one of its name. With the environment
// variable MOSSFORGE_PRINT_FRAME_HASHES set, prints the recorded values as table rows to
// paste over the stored ones (after a deliberate change of what the screens show).
void expect_frame_hashes(const char* table, const FrameHashes& seen, const std::map<std::string, uint64_t>& stored);
