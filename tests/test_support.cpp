#include "test_support.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <loadpng.h>

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <vector>

#include "app/file_choice.h"
#include "app/main_menu.h"
#include "app/program_state.h"
#include "app/start_up.h"
#include "leveledit/level_editor_state.h"
#include "ui/input.h"
#include "files/pp20.h"
#include "render/status_bar.h"
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

// Polled by the window's input, which serves whenever a test installs no script: a question
// or screen loop that waits for input no script gives would otherwise spin forever, so after
// a minute of such polling the test program stops with the name of the test.
void unscripted_poll() {
  static std::string test;
  static std::chrono::steady_clock::time_point since;
  const auto now = std::chrono::steady_clock::now();
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "";
  if (name != test) test = name, since = now;
  if (now - since > std::chrono::seconds(60)) {
    std::fprintf(stderr, "%s waits for keyboard or mouse input that no script gives\n", name.c_str());
    std::abort();
  }
}

// Every test starts from the program's start-up state (default settings, no level, the view,
// the display's timing and the chunk editor reset, no test file selector, no messages shown,
// the decoder's trace on stdout, no window hooks but the guard above), so none depends on what
// an earlier one left.
class FreshProgramState : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    settings_set_defaults();
    reset_program_state();
    reset_editor_state();
    snap_to_grid = effect_details_shown = 0;  // set once a level is imported at start-up
    file_selector_hook = nullptr;
    captured_messages().clear();
    pp20_set_trace(stdout);
    set_window_hooks(nullptr, unscripted_poll);
  }
};
const bool fresh_program_state = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramState);
  return true;
}();
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
    create_screen_bitmaps(display);
  }
}

Rgb rgb_at(BITMAP* b, int x, int y) {
  uint32_t p = pixel32(b, x, y);
  return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

void save_tour_frame(BITMAP* frame, size_t index) {
  const char* dir = std::getenv("MOSSFORGE_TOUR_FRAMES");
  if (!dir) return;
  const BitmapPtr opaque(create_bitmap_ex(24, frame->w, frame->h));
  blit(frame, opaque.get(), 0, 0, 0, 0, frame->w, frame->h);
  save_png((std::string(dir) + "/" + std::to_string(index) + ".png").c_str(), opaque.get(), nullptr);
}

uint64_t colour_hash(BITMAP* b) {
  uint64_t h = FNV_START;  // over the colour bytes, blue first
  for (int y = 0; y < b->h; ++y)
    for (int x = 0; x < b->w; ++x) {
      const uint32_t p = pixel32(b, x, y);
      const uint8_t colour[3] = {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)};
      h = fnv_mix(h, colour, sizeof colour);
    }
  return h;
}

void expect_frame_hashes(const char* table, const FrameHashes& seen, const std::map<std::string, uint64_t>& stored) {
  if (std::getenv("MOSSFORGE_PRINT_FRAME_HASHES")) {
    std::printf("%s:\n", table);
    for (const auto& [name, hash] : seen) std::printf("      {\"%s\", 0x%016" PRIx64 "ull},\n", name.c_str(), hash);
  }
  EXPECT_EQ(seen.size(), stored.size()) << table;
  std::set<std::string> names;
  for (const auto& [name, hash] : seen) {
    if (!names.insert(name).second) ADD_FAILURE() << table << ": two frames are named \"" << name << "\"";
    const auto it = stored.find(name);
    if (it == stored.end())
      ADD_FAILURE() << table << ": no stored hash for frame \"" << name << "\"";
    else
      EXPECT_EQ(hash, it->second) << table << ": frame \"" << name << "\" differs (MOSSFORGE_PRINT_FRAME_HASHES=1 prints the new values)";
  }
}

uint64_t fnv_mix(uint64_t h, const void* bytes, size_t n) {
  for (size_t i = 0; i < n; ++i) h = (h ^ static_cast<const uint8_t*>(bytes)[i]) * 1099511628211ull;
  return h;
}

uint64_t tree_hash(const std::string& dir, const std::vector<std::string>& skip) {
  std::vector<std::string> files;
  if (std::filesystem::is_regular_file(dir))
    files.push_back("");  // a single file: its bytes alone
  else
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
      const std::string name = std::filesystem::relative(e.path(), dir).generic_string();
      const bool skipped =
          std::any_of(skip.begin(), skip.end(), [&](const std::string& s) { return name.rfind(s, 0) == 0; });
      if (e.is_regular_file() && !skipped) files.push_back(name);
    }
  std::sort(files.begin(), files.end());
  uint64_t h = FNV_START;
  auto mix = [&h](const char* p, size_t n) { h = fnv_mix(h, p, n); };
  for (const std::string& name : files) {
    std::ifstream in(name.empty() ? dir : dir + "/" + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    mix(name.c_str(), name.size() + 1);
    mix(bytes.data(), bytes.size());
  }
  return h;
}

CommandRun run_mossforge(const std::string& dir, const std::string& args) {
  const int raw = std::system(("cd '" + dir + "' && '" MOSSFORGE_BINARY_DIR "/mossforge' " + args + " >out.txt 2>err.txt").c_str());
  auto text = [&dir](const char* name) {
    std::ifstream in(dir + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text("out.txt"), text("err.txt")};
}

ScopedCwd::ScopedCwd(const std::string& dir) : previous(std::filesystem::current_path().string()) {
  std::filesystem::current_path(dir);
}
ScopedCwd::~ScopedCwd() { std::filesystem::current_path(previous); }

void ScratchTest::SetUp() {
  headless_screen();
  dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
  cwd = std::make_unique<ScopedCwd>(dir);
  captured_messages().clear();
}

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
