#include <gtest/gtest.h>

#include <allegro.h>
#include <loadpng.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/level_commands.h"
#include "files/pp20.h"
#include "app/render_command.h"
#include "test_support.h"
#include "ui/messages.h"

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
