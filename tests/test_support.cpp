#include "test_support.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <loadpng.h>

#include <cstdlib>
#include <unistd.h>

#include <filesystem>

#include "app/start_up.h"
#include "leveledit/status_bar.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

// Scratch directories live under scratch/<process id>/, so test processes that CTest runs
// in parallel never share one; each process removes its own at the end.
static std::filesystem::path process_scratch_root() {
  return std::filesystem::path(MOSSFORGE_BINARY_DIR) / "scratch" / std::to_string(getpid());
}

namespace {
// Releases every program-wide bitmap before the library shuts down at exit.
class ReleaseGlobals : public ::testing::Environment {
 public:
  void TearDown() override {
    release_all();
    release_interface_images();
    std::error_code ignored;
    std::filesystem::remove_all(process_scratch_root(), ignored);
  }
};
const auto* const release_globals = ::testing::AddGlobalTestEnvironment(new ReleaseGlobals);
}  // namespace

std::string source_path(const std::string& relative) { return std::string(MOSSFORGE_SOURCE_DIR) + "/" + relative; }

std::string scratch_dir(const std::string& name) {
  namespace fs = std::filesystem;
  fs::path p = process_scratch_root() / name;
  fs::remove_all(p);
  fs::create_directories(p);
  return p.string();
}

void headless_screen(int w, int h) {
  if (!init_headless_graphics()) std::abort();
  set_message_sink(MessageSink::Capture);
  screen_width = static_cast<int16_t>(w);
  screen_height = static_cast<int16_t>(h);
  frame_skip = 0;
  vsync_enabled = 0;
  static bool images_loaded = false;
  const std::string cwd = std::filesystem::current_path().string();
  if (!images_loaded) {
    std::filesystem::current_path(source_path("data"));
    load_interface_images(false);
    std::filesystem::current_path(cwd);
    images_loaded = true;
  } else {
    create_screen_bitmaps();
  }
}

Rgb rgb_at(BITMAP* b, int x, int y) {
  uint32_t p = pixel32(b, x, y);
  return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

ScopedCwd::ScopedCwd(const std::string& dir) : previous(std::filesystem::current_path().string()) {
  std::filesystem::current_path(dir);
}
ScopedCwd::~ScopedCwd() { std::filesystem::current_path(previous); }

// The effective ids only: the saved ids stay root, so the destructor can take them back.
ScopedUnprivileged::ScopedUnprivileged() {
  constexpr uid_t nobody = 65534;
  if (geteuid() != 0 || setegid(nobody) != 0) return;
  if (seteuid(nobody) != 0) {
    if (setegid(0) != 0) std::abort();
    return;
  }
  dropped_ = true;
}
ScopedUnprivileged::~ScopedUnprivileged() {
  if (dropped_ && (seteuid(0) != 0 || setegid(0) != 0)) std::abort();
}

std::string status_bar_difference(BITMAP* screen, const std::string& text) {
  BitmapPtr expected = make_bitmap(screen_width + 2 * MARGIN, screen_height + 2 * MARGIN);
  clear_to_color(expected.get(), 0);
  draw_status_bar(expected.get(), text);
  for (int y = screen_height - STATUS_BAR_HEIGHT; y < screen_height; ++y)
    for (int x = 0; x < screen_width; ++x)
      if (!(rgb_at(screen, x, y) == rgb_at(expected.get(), x + MARGIN, y + MARGIN)))
        return "differs at (" + std::to_string(x) + ", " + std::to_string(y) + ") from \"" + text + "\"";
  return "";
}
