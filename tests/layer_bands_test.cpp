// The tracked composition of the level editor gives exactly the frames of clearing the
// five bitmaps whole and composing the four layers whole.
#include <algorithm>

#include "render/layer_bands.h"
#include "render/map_render.h"
#include "level_editor_fixture.h"

namespace {

class LayerTracking : public LevelEditorTest {
 protected:
  // A map-screen level with every kind of object, markers, a back plane and big chunks.
  void build() {
    release_level_model();
    release_level_bitmaps();
    make_level(8, 4096, 1024);
    map_header.map_front = 0;
    for (int i = 4; i < 8; ++i) {
      chunk(i).width = static_cast<int8_t>(i - 1);
      chunk(i).height = static_cast<int8_t>(9 - i);
      for (int k = 0; k < 256; ++k) chunk(i).cells[k] = static_cast<uint16_t>(k % 5 == 0 ? 0 : (k + i) % 60 + 1);
    }
    block_types[1] = {0, 0x0805};
    block_types[2] = {4, 0x0001};
    block_types[3] = {10, 0xFD00};
    block_types[4] = {13, 0xFE02};
    for (int r = 2; r < 40; ++r)
      for (int x = 16 * (r % 5); x < 1400; x += 90 + 7 * r) {
        static const uint16_t codes[] = {5, 6, OBJECT_PICKUP | 3, OBJECT_BLOCK | 1, OBJECT_BLOCK | 2, OBJECT_BLOCK | 3,
                                         OBJECT_BLOCK | 4, OBJECT_POST, OBJECT_LARGE | 1, 0x0C12, 7 | PLACEMENT_VFLIP};
        row(r).objects.push_back({codes[(x / 90 + r) % 11], static_cast<uint16_t>(x)});
        row(r, true).objects.push_back({static_cast<uint16_t>((x + r) % 8), static_cast<uint16_t>(x + 40)});
      }
    for (int i = 0; i < 12; ++i)
      markers[static_cast<size_t>(i)] = {static_cast<uint8_t>(i % 4 == 3 ? MARKER_SECRET : i % 4), "NAME",
                                         static_cast<int16_t>(50 + 97 * i), static_cast<int16_t>(60 + 31 * i)};
  }

  // Runs the scripted session and keeps every presented screen.
  std::vector<std::vector<uint32_t>> session(bool tracked) {
    build();
    scope.reset();  // before the new guard: the old one restores the driver's input when it goes
    in = std::make_unique<ScriptedInput>(640, 480);
    scope = std::make_unique<ScopedInput>(*in);
    in->idle_limit = 100000;
    timer_ticks = 0;
    frame_counter = 0;
    fps_value = 0;
    frames_this_second = 0;
    wheel_now = wheel_before = 0;
    click_event = buttons_before = 0;
    tips_enabled = fps_counter_enabled = background_default = 1;
    debug_info_flags = 7;
    snap_to_grid = 0;
    level_changed_flags = 0;  // the drag of the first session marks the level changed
    enter();
    if (!tracked) layer_tracking_end();
    place_mouse(320, 240);
    // Roaming to the edges (turned cursor, scrolling), back, a click fixes the camera.
    in->move(630, 470).idle(3).move(5, 300).idle(3).move(320, 240).idle(2).click().idle(1);
    // Zoom in and out, hover objects and markers, metablock mode, plane switch, drag, insert.
    in->wheel(3).idle(2).press(KEY_PGDN).idle(8).release(KEY_PGDN);
    for (int y = 20; y < 470; y += 37)
      for (int x = 10; x < 640; x += 83) in->move(x, y);
    // Onto a marker (its panel) and onto a block object (its panel), wherever the camera is.
    in->then([](ScriptedInput& s) {
        s.mx = level_view.zoomed(markers[3].x) - (camera_x >> 3) + 4;
        s.my = level_view.zoomed(markers[3].y - 3) - (camera_y >> 3) + 4;
      }).idle(2);
    in->then([](ScriptedInput& s) {
        s.mx = level_view.zoomed(front_layout.rows[10].objects[0].x) - block_size_on_screen() - (camera_x >> 3) + 2;
        s.my = level_view.zoomed(16 * 10) - block_size_on_screen() - (camera_y >> 3) + 2;
      }).idle(2);
    in->press(KEY_M).release(KEY_M).move(200, 200).move(260, 300).press(KEY_M).release(KEY_M);
    in->press(KEY_F5).release(KEY_F5).press(KEY_F9).release(KEY_F9);
    in->move(150, 150).then([](ScriptedInput& s) { s.mb = 1; }).move(170, 190).move(240, 260).then([](ScriptedInput& s) {
      s.mb = 0;
    });
    in->press(KEY_INSERT).release(KEY_INSERT).press(KEY_TAB).release(KEY_TAB).move(300, 200).idle(2);
    in->press(KEY_HOME).release(KEY_HOME).press(KEY_PGUP).idle(12).release(KEY_PGUP).idle(2);
    std::vector<std::vector<uint32_t>> screens;
    while (!in->script_done()) {
      if (!level_editor_pass()) break;
      marker_frames += ledit.marker_hovered != 0;
      panel_frames += !ledit.marker_hovered && selected_object() && object_editing_allowed();
      latch_frames += fast_scroll_latch;
      std::vector<uint32_t> shot;
      for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) shot.push_back(pixel32(in->screen.get(), x, y));
      screens.push_back(std::move(shot));
    }
    layer_tracking_end();
    return screens;
  }
  int marker_frames = 0, panel_frames = 0, latch_frames = 0;
};

}  // namespace

TEST_F(LayerTracking, TrackedFramesEqualWholeClearingAndComposition) {
  const auto tracked = session(true);
  const auto whole = session(false);
  ASSERT_EQ(tracked.size(), whole.size());
  ASSERT_GT(tracked.size(), 100u);
  // The session shows the marker panel, the object panel and the turned cursor.
  EXPECT_GT(marker_frames, 0);
  EXPECT_GT(panel_frames, 0);
  EXPECT_GT(latch_frames, 0);
  for (size_t f = 0; f < tracked.size(); ++f) {
    const auto diff = std::mismatch(tracked[f].begin(), tracked[f].end(), whole[f].begin()).first - tracked[f].begin();
    ASSERT_EQ(diff, 640 * 480) << "frame " << f << " differs first at x " << diff % 640 << " y " << diff / 640;
  }
}

// Every overlap of the four layers, through both compositions: each of the 16 sets of layers
// gets a cell where each layer of the set draws its own colour over a span of its own (layer k
// from column k on, to 4 - k columns before the cell's end), so every column shows the
// topmost layer that drew there, or the backdrop where none did.
TEST(LayerComposition, TheTopmostDrawnLayerShowsInEveryOverlap) {
  headless_screen(640, 480);
  ScriptedInput in(640, 480);
  ScopedInput guard(in);
  const uint32_t colours[4] = {0x10E020, 0x2030F0, 0xF04010, 0xE0E000};
  const uint32_t backdrop = 0x404040;
  const ScreenLayers screen = display.layers();
  const int top = 40;  // rows 40 .. 51: inside the band of rows 32 .. 47 and the next one
  for (const bool tracked : {false, true})
    for (const bool own_backdrop : {false, true}) {
      SCOPED_TRACE(std::string(tracked ? "tracked" : "whole") + (own_backdrop ? ", own backdrop" : ", black"));
      if (tracked) layer_tracking_begin(screen);
      clear_layers(screen);
      if (own_backdrop) {
        clear_to_color(screen.back_buffer, backdrop);
        if (tracked) backdrop_drawn();
      }
      for (int set = 0; set < 16; ++set)
        for (int k = 0; k < 4; ++k)
          if (set >> k & 1) {
            const int x = MARGIN + 8 + 36 * set + k, w = 32 - 2 * k;
            rectfill(screen.layers[k], x, MARGIN + top, x + w - 1, MARGIN + top + 11, colours[k]);
            if (tracked) mark_drawn(screen.layers[k], x, MARGIN + top, w, 12);
          }
      if (tracked) {
        compose_tracked_layers(display);
        layer_tracking_end();
      } else {
        compose_layers(display);
      }
      for (int set = 0; set < 16; ++set)
        for (int c = -1; c < 33; ++c) {
          uint32_t want = own_backdrop ? backdrop : 0;
          for (int k = 0; k < 4; ++k)
            if ((set >> k & 1) && c >= k && c < 32 - k) want = colours[k];
          for (int y : {top - 1, top, top + 11, top + 12})
            ASSERT_EQ(pixel32(in.screen.get(), 8 + 36 * set + c, y),
                      y >= top && y <= top + 11 ? want : own_backdrop ? backdrop : 0)
                << "set " << set << " column " << c << " row " << y;
        }
    }
}
