// A whole editing session through the level editor's keys and mouse, one named step after
// another. After each step the presented frame and everything the session can change (both
// layouts, the chunks, the markers, the view, the selection, the unsaved flags and the messages
// shown) are hashed and compared with the values recorded when the session was checked step by
// step, so a fault in the input handling, the edits or the drawing fails here, at the step that
// shows it. After a deliberate change, look at the frames again (MOSSFORGE_TOUR_FRAMES=DIR writes
// them there as PNGs) and store the printed values.
#include "files/layout_block.h"
#include "game_fixtures.h"
#include "gamedata/level_state.h"
#include "level_editor_fixture.h"
#include "ui/messages.h"
#include <loadpng.h>

namespace {

class LevelEditorTour : public LevelEditorTest {
 protected:
  FrameHashes seen;

  // The frame and the session's state after a step, under the step's name.
  void record(const std::string& name) {
    uint64_t h = colour_hash(in->screen.get());
    auto mix = [&h](const void* p, size_t n) {
      for (size_t i = 0; i < n; ++i) h = (h ^ static_cast<const uint8_t*>(p)[i]) * 1099511628211ull;
    };
    auto mix_bytes = [&mix](const std::vector<uint8_t>& b) { mix(b.data(), b.size()); };
    mix_bytes(layout_bytes(front_layout));
    mix_bytes(layout_bytes(back_layout));
    mix_bytes(chunk_set_bytes(chunkmap));
    for (const Marker& m : markers) {
      const int v[] = {m.type, m.x, m.y, m.next_up, m.next_down, m.next_left, m.next_right, m.next_tunnel};
      mix(v, sizeof v);
      mix(m.name.c_str(), m.name.size() + 1);
    }
    const int view[] = {camera_x,
                        camera_y,
                        level_zoom,
                        camera_state,
                        level_changed_flags,
                        snap_to_grid,
                        ledit.edit_flags,
                        ledit.object_selected,
                        ledit.selected_row,
                        ledit.selected_index,
                        ledit.panel_line,
                        layer_visibility};
    mix(view, sizeof view);
    for (const std::string& m : captured_messages()) mix(m.c_str(), m.size() + 1);
    if (const char* dir = std::getenv("MOSSFORGE_TOUR_FRAMES"))  // to look at the frames
      save_png((std::string(dir) + "/" + std::to_string(seen.size()) + ".png").c_str(), in->screen.get(), nullptr);
    captured_messages().clear();
    seen.push_back({name, h});
  }
  // Runs one step: its action, then `passes` passes of the screen, then the record.
  void step(const std::string& name, const std::function<void()>& act, int passes = 1) {
    act();
    frames(passes);
    record(name);
  }
  void press(const std::string& name, int scancode, int modifiers = 0, const std::string& text = "") {
    in->key_shift_flags = modifiers;
    in->press(scancode).release(scancode).type(text);
    frames(1);
    in->key_shift_flags = 0;
    frames(1);
    record(name);
  }
  void over(int x, int r) { place_mouse(icon_x(x) + 4, icon_y(r) + 4); }
  // A left drag from where the mouse is, by (dx, dy), in `moves` moves.
  void drag(int dx, int dy, int moves = 2) {
    const int x = in->mx, y = in->my;
    button(1);
    for (int i = 1; i <= moves; ++i) in->move(x + dx * i / moves, y + dy * i / moves);
    button(0);
    run_script();
  }

  void make_tour_level() {
    make_level(6);
    for (int b = 1; b < 12; ++b) {
      BitmapPtr& bm = block_bitmaps[static_cast<size_t>(b)];
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
          put_pixel32(bm.get(), x, y,
                      b == 3 && (x + y) % 3 == 0
                          ? MASK_COLOUR
                          : 0xFF000000u | uint32_t(b * 21) << 16 | uint32_t(x * 16) << 8 | uint32_t(y * 15));
    }
    chunk(0).width = 3;
    chunk(0).height = 2;
    const uint16_t cells0[6] = {1, static_cast<uint16_t>(2 | CELL_VFLIP), 0, 3, 4, 5};
    for (int i = 0; i < 6; ++i) chunk(0).cell(i % 3, i / 3) = cells0[i];
    chunk(1).width = chunk(1).height = 2;
    const uint16_t cells1[4] = {6, 7, static_cast<uint16_t>(8 | CELL_VFLIP), 9};
    for (int i = 0; i < 4; ++i) chunk(1).cell(i % 2, i / 2) = cells1[i];
    block_types[2] = BlockType{3, 7};
    block_types[5] = BlockType{1, 0x20};
    row(4).objects = {{0, 24}, {static_cast<uint16_t>(1 | PLACEMENT_VFLIP), 90}, {2, 90}};
    row(6).objects = {{static_cast<uint16_t>(OBJECT_PICKUP | 2), 70}, {OBJECT_POST, 120}};
    row(9).objects = {{1, 40}, {static_cast<uint16_t>(OBJECT_BLOCK | 2), 100}, {OBJECT_LARGE | 1, 160}};
    row(12).objects = {{static_cast<uint16_t>(OBJECT_BLOCK | 5), 200}};
    for (int r : {3, 6, 10})
      row(r, true).objects = {{0, 8}, {static_cast<uint16_t>(1 | PLACEMENT_VFLIP), 60}, {1, 130}};
  }
};

}  // namespace

TEST_F(LevelEditorTour, EditingTheLayoutStepByStep) {
  make_tour_level();
  level_editor_modes = 0x12;  // the camera stays put, objects under the cursor get the panel
  enter();
  step("over two chunks", [&] { over(90, 4); });
  press("ctrl full stop picks the next object here", KEY_STOP, KB_CTRL_FLAG);
  press("ctrl comma picks the previous one", KEY_COMMA, KB_CTRL_FLAG);
  press("plus: the next chunk", KEY_EQUALS);
  press("minus: back", KEY_MINUS);
  press("star: 16 chunks on, wrapping", KEY_ASTERISK);
  press("slash: 16 back", KEY_SLASH);
  press("tilde flips the chunk", KEY_TILDE);
  press("ctrl plus draws it later", KEY_EQUALS, KB_CTRL_FLAG);
  press("ctrl minus draws it earlier", KEY_MINUS, KB_CTRL_FLAG);
  press("ctrl star draws it last", KEY_ASTERISK, KB_CTRL_FLAG);
  press("ctrl slash draws it first", KEY_SLASH, KB_CTRL_FLAG);
  press("full stop: a chunk has one panel line", KEY_STOP);
  press("star after a full stop still steps the chunk", KEY_ASTERISK);
  step("dragged right and down", [&] { drag(40, 18); });
  press("f4 snaps to the grid", KEY_F4);
  step("dragged with snapping", [&] { drag(21, 7, 3); });
  press("f4 again", KEY_F4);
  step("dragged past the left edge", [&] { drag(-300, 0); });
  step("over the pickup", [&] { over(70, 6); });
  press("plus: the next pickup type", KEY_PLUS_PAD);
  press("slash: 16 types back", KEY_SLASH);
  step("over the block object", [&] { over(100, 9); });
  press("plus: the next block kind", KEY_EQUALS);
  press("full stop: its effect line", KEY_STOP);
  press("plus on the effect line", KEY_EQUALS);
  press("comma: back to the kind line", KEY_COMMA);
  step(
      "7 held shows the effect", [&] { in->press(KEY_7).idle(2).release(KEY_7); }, 3);
  step("over the large object", [&] { over(160, 9); });
  press("minus leaves the large object as it is", KEY_MINUS);
  press("delete deletes it", KEY_DEL);
  step("at an empty place", [&] { place_mouse(300, 300); });
  press("insert puts a chunk under the cursor", KEY_INSERT);
  press("i puts another", KEY_I);
  press("ctrl i asks for the number", KEY_I, KB_CTRL_FLAG, "8A1\n");
  press("ctrl insert with a bad number", KEY_INSERT, KB_CTRL_FLAG, "1G\n");
  press("ctrl z undoes", KEY_Z, KB_CTRL_FLAG);
  press("ctrl z again", KEY_Z, KB_CTRL_FLAG);
  press("ctrl y redoes", KEY_Y, KB_CTRL_FLAG);
  press("ctrl shift z redoes", KEY_Z, KB_CTRL_FLAG | KB_SHIFT_FLAG);
  step("over the chunk of two rows", [&] { over(40, 9); });
  press("m: metablock editing", KEY_M);
  step("over a cell of the chunk", [&] { place_mouse(45, 130); });
  press("plus steps the block", KEY_EQUALS);
  press("star steps 16 blocks", KEY_ASTERISK);
  press("tilde flips the block", KEY_TILDE);
  press("delete clears the block", KEY_DEL);
  press("m: layout editing", KEY_M);
  press("tab: the back plane", KEY_TAB);
  step("over a back plane chunk", [&] { over(60, 6); });
  press("plus on the back plane", KEY_EQUALS);
  press("delete on the back plane", KEY_DEL);
  press("ctrl tab hides the back plane", KEY_TAB, KB_CTRL_FLAG);
  press("tab: the front plane", KEY_TAB);
  press("f5: camera coordinates", KEY_F5);
  press("f6: mouse coordinates", KEY_F6);
  press("f7: unit coordinates", KEY_F7);
  press("f9 hides layer L", KEY_F9);
  press("f10 hides layer H", KEY_F10);
  press("f9 shows layer L again", KEY_F9);
  step(
      "wheel out", [&] { in->wheel(-3); }, 2);
  press("page up zooms in", KEY_PGUP);
  press("home: 100 percent", KEY_HOME);
  press("page down", KEY_PGDN);
  step(
      "arrows scroll",
      [&] { in->press(KEY_RIGHT).idle(4).release(KEY_RIGHT).press(KEY_DOWN).idle(3).release(KEY_DOWN); }, 9);
  step(
      "shift arrows scroll faster",
      [&] {
        in->key_shift_flags = KB_SHIFT_FLAG;
        in->press(KEY_LEFT).idle(3).release(KEY_LEFT).then([](ScriptedInput& s) { s.key_shift_flags = 0; });
      },
      5);
  step("f1 shows the help until a key", [&] {
    in->press(KEY_F1).idle(2).release(KEY_F1).idle(15);
    in->then([this](ScriptedInput& s) { seen.push_back({"the help overlay", colour_hash(s.screen.get())}); });
    in->type_key(KEY_SPACE, ' ');
  });

  expect_frame_hashes("level editor session", seen,
                      {
                          {"over two chunks", 0x9c2f4a429265eb20ull},
                          {"ctrl full stop picks the next object here", 0x9c2f4a429265eb20ull},
                          {"ctrl comma picks the previous one", 0xde7efeebe854d155ull},
                          {"plus: the next chunk", 0xe7ed668cff033ed6ull},
                          {"minus: back", 0x571ad4ca8ced3ed7ull},
                          {"star: 16 chunks on, wrapping", 0x6239a405e9c2645dull},
                          {"slash: 16 back", 0xd5719d6771120ed7ull},
                          {"tilde flips the chunk", 0x58bf0c246b719c2dull},
                          {"ctrl plus draws it later", 0xfbc812239d30043aull},
                          {"ctrl minus draws it earlier", 0x58bf0c246b719c2dull},
                          {"ctrl star draws it last", 0xfbc812239d30043aull},
                          {"ctrl slash draws it first", 0x16fe4c8f0365e30cull},
                          {"full stop: a chunk has one panel line", 0x79c044a6a6b87e0cull},
                          {"star after a full stop still steps the chunk", 0x411bcdb613de4672ull},
                          {"dragged right and down", 0xb7c9ce79e7711ad2ull},
                          {"f4 snaps to the grid", 0xf3ff6af19dc632fbull},
                          {"dragged with snapping", 0x43506c9d1e096eaeull},
                          {"f4 again", 0xa7bc398c30e2c3e7ull},
                          {"dragged past the left edge", 0x5c6500d58fd7edd5ull},
                          {"over the pickup", 0x11afe4521490cc0full},
                          {"plus: the next pickup type", 0xd9a4a01b3be08804ull},
                          {"slash: 16 types back", 0x3d544647444b12daull},
                          {"over the block object", 0x5fee13d46f6803c7ull},
                          {"plus: the next block kind", 0x91bea9c2529075a9ull},
                          {"full stop: its effect line", 0x8aa652c471bbd814ull},
                          {"plus on the effect line", 0x8aa652c471bbd814ull},
                          {"comma: back to the kind line", 0xbca1182bf1bfb8a9ull},
                          {"7 held shows the effect", 0x3bfa0fcd89f72bcdull},
                          {"over the large object", 0x226c1f16571b4390ull},
                          {"minus leaves the large object as it is", 0x226c1f16571b4390ull},
                          {"delete deletes it", 0xcf70e60916d3bf66ull},
                          {"at an empty place", 0x216c62ebe6319686ull},
                          {"insert puts a chunk under the cursor", 0xb10630205b0a8b7bull},
                          {"i puts another", 0x6da6fc39bdbba3c9ull},
                          {"ctrl i asks for the number", 0x34c08b7ba0bc6ef9ull},
                          {"ctrl insert with a bad number", 0xc3f1a655f37121ddull},
                          {"ctrl z undoes", 0x61326beb9a634cb2ull},
                          {"ctrl z again", 0x2ede58bbce6b8af4ull},
                          {"ctrl y redoes", 0x61326beb9a634cb2ull},
                          {"ctrl shift z redoes", 0xcac3a2e302196b61ull},
                          {"over the chunk of two rows", 0x35986e0f9a66283full},
                          {"m: metablock editing", 0xb8b50c5cfa2ad11full},
                          {"over a cell of the chunk", 0x294f99166b509d85ull},
                          {"plus steps the block", 0x580087eb1c6d27c6ull},
                          {"star steps 16 blocks", 0xd5330c8e3bc86bf8ull},
                          {"tilde flips the block", 0x7b20953144f1f5d8ull},
                          {"delete clears the block", 0xc4eee84d3224e953ull},
                          {"m: layout editing", 0x6cc08e4cd94a9002ull},
                          {"tab: the back plane", 0xbbb041b3bc83f355ull},
                          {"over a back plane chunk", 0x69fbd6c802b3c910ull},
                          {"plus on the back plane", 0x8e99c2aa9806f476ull},
                          {"delete on the back plane", 0xb0773c9d83d3c21aull},
                          {"ctrl tab hides the back plane", 0xb0773c9d83d3c21aull},
                          {"tab: the front plane", 0x1ea99dd02e1c22f9ull},
                          {"f5: camera coordinates", 0x3bde76060c75fb59ull},
                          {"f6: mouse coordinates", 0x38c82c0bb1e75171ull},
                          {"f7: unit coordinates", 0x670ebd44f77ab9bcull},
                          {"f9 hides layer L", 0x0709694d4db0764dull},
                          {"f10 hides layer H", 0x46fec15dfa1bef6full},
                          {"f9 shows layer L again", 0xa7041555a3e632deull},
                          {"wheel out", 0xab091e92702d9574ull},
                          {"page up zooms in", 0xdd9ce1bb31e3f562ull},
                          {"home: 100 percent", 0xcfdebafefe4ebc4dull},
                          {"page down", 0xc0345c90c9ec1a38ull},
                          {"arrows scroll", 0x248a486368fe5c3full},
                          {"shift arrows scroll faster", 0x209c9afbc400d1a5ull},
                          {"f1 shows the help until a key", 0x209c9afbc400d1a5ull},
                      });
}

TEST_F(LevelEditorTour, EditingTheMarkersOfTheMapScreen) {
  make_tour_level();
  map_header.map_front = 0;  // the map screen: markers over the scenery
  markers[0] = {MARKER_NORMAL, "OLD", 480, 300};
  markers[1] = {MARKER_TUNNEL, "T", 200, 103};
  markers[1].next_up = 130;
  markers[2] = {MARKER_SECRET_FORK, "C", 300, 103};
  markers[3] = {7, "D", 300, 103};
  level_editor_modes = 0x12;
  enter();
  step(
      "the markers animate", [] {}, 9);
  step("over the tunnel", [&] { place_mouse(205, 105); });
  for (int line = 1; line <= 7; ++line) press("full stop: line " + std::to_string(line % 7), KEY_STOP);
  press("comma: back to line 6", KEY_COMMA);
  press("plus on the tunnel link", KEY_EQUALS);
  press("comma comma comma comma: the up link", KEY_COMMA);
  for (int i = 0; i < 3; ++i) press("comma " + std::to_string(i), KEY_COMMA);
  press("plus on the up link: none", KEY_EQUALS);
  press("plus again: marker 0", KEY_PLUS_PAD);
  press("minus: none", KEY_MINUS);
  press("star: 16 on", KEY_ASTERISK);
  press("slash: 16 back", KEY_SLASH);
  press("comma: the type line", KEY_COMMA);
  press("plus: secret", KEY_EQUALS);
  press("plus: secret fork", KEY_EQUALS);
  press("plus: normal", KEY_EQUALS);
  step("over the two markers at one place", [&] { place_mouse(305, 105); });
  press("ctrl full stop picks the other", KEY_STOP, KB_CTRL_FLAG);
  step("over the first marker", [&] { place_mouse(485, 302); });
  press("enter off the name line renames nothing", KEY_ENTER, 0, "XY\n");
  press("comma: the name line", KEY_COMMA);
  press("enter on the unchanged name", KEY_ENTER, 0, "\n");
  press("enter renames, upper case, 24 characters", KEY_ENTER, 0, "\b\b\bthe very long name of a level!x\n");
  step(
      "escape at the name keeps it", [&] { in->press(KEY_ENTER).release(KEY_ENTER).type("X").type_key(KEY_ESC, 27); },
      2);
  step("dragged", [&] { drag(21, 7); });
  press("f4 snaps", KEY_F4);
  step("dragged with snapping", [&] { drag(30, 53, 3); });
  step("dragged below the last line", [&] { drag(0, 600); });
  press("ctrl z undoes the drag", KEY_Z, KB_CTRL_FLAG);
  press("ctrl z undoes the snapped drag", KEY_Z, KB_CTRL_FLAG);
  press("ctrl y redoes", KEY_Y, KB_CTRL_FLAG);
  step("level replaced: the notice again", [&] { level_replaced(); });
  step("over the tunnel again", [&] { place_mouse(205, 105); });
  press("full stop: the type line", KEY_STOP);
  press("a type edit after it", KEY_EQUALS);
  expect_frame_hashes("map screen session", seen,
                      {
                          {"the markers animate", 0xae179c92b433002full},
                          {"over the tunnel", 0x2e1a25d5e30884a9ull},
                          {"full stop: line 1", 0x4d9cc48e23ccd1ccull},
                          {"full stop: line 2", 0xcc9ee98bd7e4ced9ull},
                          {"full stop: line 3", 0x35efb8c84add114cull},
                          {"full stop: line 4", 0x81e1908f26431421ull},
                          {"full stop: line 5", 0x9e8995f0764788ccull},
                          {"full stop: line 6", 0x87c96617d9f207f5ull},
                          {"full stop: line 0", 0xf72ad1e10571e9a9ull},
                          {"comma: back to line 6", 0x7edf6905b5cacb45ull},
                          {"plus on the tunnel link", 0xdf969607aabb99eeull},
                          {"comma comma comma comma: the up link", 0xe9f5ada937a18149ull},
                          {"comma 0", 0x5fb79198c5ea363cull},
                          {"comma 1", 0x6bf2452566e115bdull},
                          {"comma 2", 0x4e015985de4776c8ull},
                          {"plus on the up link: none", 0x258821e57e426f43ull},
                          {"plus again: marker 0", 0x5b7b171f5c424816ull},
                          {"minus: none", 0x65775d4aec0f11abull},
                          {"star: 16 on", 0xf233e8757ffda7abull},
                          {"slash: 16 back", 0x65775d4aec0f11abull},
                          {"comma: the type line", 0xab15df778f42a2f2ull},
                          {"plus: secret", 0x8e46a6095f3d724bull},
                          {"plus: secret fork", 0xfeb667e2cab333e8ull},
                          {"plus: normal", 0x8951b8911ae8f866ull},
                          {"over the two markers at one place", 0xd3e00dd41bd17adfull},
                          {"ctrl full stop picks the other", 0x8318b7f9c5a8fca4ull},
                          {"over the first marker", 0x65e7b31800dfec6eull},
                          {"enter off the name line renames nothing", 0x4a34cdd7b931aa6eull},
                          {"comma: the name line", 0x4a34cdd7b931aa6eull},
                          {"enter on the unchanged name", 0x9609e2b692ec4089ull},
                          {"enter renames, upper case, 24 characters", 0x2851d5a19972c039ull},
                          {"escape at the name keeps it", 0x2851d5a19972c039ull},
                          {"dragged", 0xb66b76df2cb9911cull},
                          {"f4 snaps", 0x888ffb0c1db0d9c5ull},
                          {"dragged with snapping", 0xb9ded81817af0c87ull},
                          {"dragged below the last line", 0xebb16bfbb46803cbull},
                          {"ctrl z undoes the drag", 0x5b08832c2208c596ull},
                          {"ctrl z undoes the snapped drag", 0x71fe82ef602846f7ull},
                          {"ctrl y redoes", 0x5b08832c2208c596ull},
                          {"level replaced: the notice again", 0x5b08832c2208c596ull},
                          {"over the tunnel again", 0x5eb5e974dad8d180ull},
                          {"full stop: the type line", 0xd55e89ce2939782dull},
                          {"a type edit after it", 0x4248a20829a9378dull},
                      });
}
