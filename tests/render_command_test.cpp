#include <gtest/gtest.h>

#include <allegro.h>
#include <loadpng.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/level_commands.h"
#include "files/atomic_file.h"
#include "files/pp20.h"
#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "app/render_command.h"
#include "render/view_state.h"
#include "render/map_render.h"
#include "leveledit/level_editor.h"
#include "leveledit/plane_image.h"
#include "render/status_bar.h"
#include "game_fixtures.h"
#include "test_support.h"
#include "ui/messages.h"
#include "ui/scripted_input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

TEST(PlaneImage, DrawsTheFrontPlaneOverTheBackPlane) {
  headless_screen();
  const std::string dir = scratch_dir("plane_image");
  ScopedCwd cwd(dir);
  write_test_rom(build_test_rom().rom, dir);
  ASSERT_EQ(level_import_map(0), 0);
  level_zoom = 5;
  camera_x = 123;
  std::string error;
  BitmapPtr image = render_plane_image(-8, error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->w, 640 / 2);
  EXPECT_EQ(image->h, 160 / 2);
  EXPECT_EQ(level_zoom, 5);
  EXPECT_EQ(camera_x, 123);

  // The same picture as the level editor shows it at zoom -8 with the background shown,
  // on a screen of the picture's size (no cursor, no texts, animations at tick 0).
  headless_screen(image->w, image->h);
  tips_enabled = 0;
  background_default = 1;
  level_editor_modes = 0x12;
  ScriptedInput in(image->w, image->h);
  ScopedInput scope(in);
  in.mx = in.my = -200;
  level_editor_enter();
  level_zoom = -8;
  zoom_changed_at = -1000;
  timer_ticks = -1;
  ASSERT_TRUE(level_editor_pass());
  ASSERT_EQ(map_header.map_front, 0);
  int differing = 0, drawn = 0, markers_drawn = 0;
  // Above the status bar, which covers the bottom rows.
  for (int y = 0; y < image->h - STATUS_BAR_HEIGHT; ++y)
    for (int x = 0; x < image->w; ++x) {
      differing += pixel32(image.get(), x, y) != pixel32(in.screen.get(), x, y);
      drawn += pixel32(image.get(), x, y) != 0;
    }
  for (const Marker& m : markers) {
    const int x = level_view.zoomed(m.x), y = level_view.zoomed(m.y - 3);
    if (m.type == MARKER_NORMAL && x >= 0 && y >= 0 && x + 8 <= image->w && y + 8 <= image->h)
      markers_drawn += pixel32(image.get(), x + 4, y + 4) == pixel32(marker_icons_normal[0].get(), 8, 8);
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(drawn, 1000);
  EXPECT_GT(markers_drawn, 0);
  settings_set_defaults();
  headless_screen();
  level_zoom = 0;
  EXPECT_FALSE(render_plane_image(49, error));
}

TEST(RenderCommand, WritesThePictureAndTheClosingMessage) {
  headless_screen();
  const std::string dir = scratch_dir("render_command");
  write_test_rom(build_test_rom().rom, dir);
  CommandRun r = run_mossforge(dir, "render 2 level.png --zoom 16");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "[02] SECOND ISLAND\n");
  BitmapPtr png(load_png((dir + "/level.png").c_str(), nullptr));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->w, 1600);
  EXPECT_EQ(png->h, 256);
  std::vector<uint8_t> dump;
  EXPECT_TRUE(read_whole_file(dir + "/dump/vram_moon.bin", dump));

  std::remove((dir + "/master/genesis/glb.bin").c_str());
  r = run_mossforge(dir, "render 0 x.png");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR: File \"./master/genesis/glb.bin\" not found.\n");
  EXPECT_EQ(r.out, "");
}

// The arguments' limits, run in the process where no ROM is: an accepted argument ends at the import.
TEST(RenderCommand, ZoomFromMinus12To48AndMapNumbersOfOneOrTwoDigits) {
  headless_screen();
  ScopedCwd cwd(scratch_dir("render_limits"));
  FILE* const trace = pp20_trace_stream();  // the command turns the decoder's trace off
  auto run = [](std::vector<std::string> args) {
    captured_messages().clear();
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    const int status = run_render_command(static_cast<int>(argv.size()), argv.data());
    return std::to_string(status) + " " + (captured_messages().empty() ? "" : captured_messages()[0]);
  };
  const std::string map_error = std::string("1 ") + MAP_NUMBER_ERROR;
  for (const char* zoom : {"-12", "48"}) EXPECT_EQ(run({"render", "G5", "x.png", "--zoom", zoom}), map_error) << zoom;
  for (const char* zoom : {"-13", "49"})
    EXPECT_EQ(run({"render", "G5", "x.png", "--zoom", zoom}),
              "1 ERROR: Zoom \"" + std::string(zoom) + "\" must be a whole number from -12 to 48.");
  EXPECT_EQ(run({"render", "100", "x.png"}), map_error);
  EXPECT_EQ(run({"render", "", "x.png"}), map_error);
  EXPECT_EQ(run({"render", "10", "x.png"}), "1 ERROR: File \"./master/genesis/glb.bin\" not found.");
  pp20_set_trace(trace);
}

TEST(RenderCommand, FailedWritesLeaveThePreviousPicture) {
  headless_screen();
  const std::string dir = scratch_dir("render_command_failing");
  write_test_rom(build_test_rom().rom, dir);
  ASSERT_EQ(run_mossforge(dir, "render 2 level.png --zoom 16").status, 0);
  std::vector<uint8_t> before;
  ASSERT_TRUE(read_whole_file(dir + "/level.png", before));
  ASSERT_GT(before.size(), 1024u);

  // A full disk: files may not grow past one block (512 or 1024 bytes), SIGXFSZ ignored.
  const std::string cmd = "cd '" + dir + "' && (ulimit -f 1; trap '' XFSZ; exec '" MOSSFORGE_BINARY_DIR
                          "/mossforge' render 0 level.png) >out.txt 2>err.txt";
  const int rc = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(rc) && WEXITSTATUS(rc) == 1) << rc;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(read_whole_file(dir + "/err.txt", bytes));
  // (Under the leak checker the statistics of its suppressions may follow.)
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()).rfind("ERROR: Cannot write \"level.png\".\n", 0), 0u);
  ASSERT_TRUE(read_whole_file(dir + "/level.png", bytes));
  EXPECT_EQ(bytes, before);
  EXPECT_FALSE(std::filesystem::exists(dir + "/level.png.tmp"));

  // A directory in the picture's place stays.
  std::filesystem::create_directory(dir + "/shot.png");
  const CommandRun r = run_mossforge(dir, "render 0 shot.png");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("ERROR: Cannot write \"shot.png\".\n", 0), 0u) << r.err;
  EXPECT_TRUE(std::filesystem::is_directory(dir + "/shot.png"));
}
