// A whole editing session through the level editor's keys and mouse, one named step after
// another. After each step the presented frame and everything the session can change (both
// layouts, the chunks, the markers, the view, the selection, the unsaved flags and the messages
// shown) are hashed and compared with the values recorded when the session was checked step by
// step, so a fault in the input handling, the edits or the drawing fails here, at the step that
// shows it. After a deliberate change, look at the frames again (MOSSFORGE_TOUR_FRAMES=DIR writes
// them there as PNGs) and store the printed values.
#include "app/play_command.h"
#include "files/layout_block.h"
#include "game_fixtures.h"
#include "gamedata/level_state.h"
#include "level_editor_fixture.h"
#include "step_hashes.h"
#include "ui/messages.h"
#include <loadpng.h>

namespace {

class LevelEditorTour : public LevelEditorTest {
 protected:
  FrameHashes seen;

  // The frame and the session's state after a step, under the step's name.
  void record(const std::string& name) {
    uint64_t h = colour_hash(in->screen.get());
    auto mix = [&h](const void* p, size_t n) { h = fnv_mix(h, p, n); };
    auto mix_bytes = [&mix](const std::vector<uint8_t>& b) { mix(b.data(), b.size()); };
    mix_bytes(layout_bytes(front_layout));
    mix_bytes(layout_bytes(back_layout));
    mix_bytes(chunk_set_bytes(chunkmap));
    for (const Marker& m : markers) {
      const int v[] = {m.type, m.x, m.y, m.next_up, m.next_down, m.next_left, m.next_right, m.next_tunnel};
      mix(v, sizeof v);
      mix(m.name.c_str(), m.name.size() + 1);
    }
    const int view[] = {camera_x, camera_y, level_zoom, camera_state, level_changed_flags,
                        snap_to_grid, ledit.edit_flags, ledit.object_selected, ledit.selected_row, ledit.selected_index,
                        ledit.panel_line, layer_visibility};
    mix(view, sizeof view);
    for (const std::string& m : captured_messages()) mix(m.c_str(), m.size() + 1);
    save_tour_frame(in->screen.get(), seen.size());
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
    key(scancode, modifiers, text);
    step(name, [] {});
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
    pattern_blocks_and_chunks();
    block_types[2] = BlockType{3, 7};
    block_types[5] = BlockType{1, 0x20};
    row(4).objects = {{0, 24}, {static_cast<uint16_t>(1 | PLACEMENT_VFLIP), 90}, {2, 90}};
    row(6).objects = {{static_cast<uint16_t>(OBJECT_PICKUP | 2), 70}, {OBJECT_POST, 120}};
    row(9).objects = {{1, 40}, {static_cast<uint16_t>(OBJECT_BLOCK | 2), 100}, {OBJECT_LARGE | 1, 160}};
    row(12).objects = {{static_cast<uint16_t>(OBJECT_BLOCK | 5), 200}};
    row(14).objects = {{OBJECT_CHUNK_LIMIT, 300}};  // the first code that places no chunk
    for (int r : {3, 6, 10})
      row(r, true).objects = {{0, 8}, {static_cast<uint16_t>(1 | PLACEMENT_VFLIP), 60}, {1, 130}};
  }
};

}  // namespace

TEST_F(LevelEditorTour, EditingTheLayoutStepByStep) {
  make_tour_level();
  level_editor_modes = 0x12;  // the camera stays put, objects under the cursor get the panel
  vsync_enabled = 1;
  fps_counter_enabled = 1;
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
  step("7 held shows the effect", [&] { in->press(KEY_7).idle(2).release(KEY_7); }, 3);
  step("over the large object", [&] { over(160, 9); });
  press("minus leaves the large object as it is", KEY_MINUS);
  press("delete deletes it", KEY_DEL);
  step("over the first code past the chunks", [&] { over(300, 14); });
  step("dragged like an icon", [&] { drag(16, 16); });
  step("at an empty place", [&] { place_mouse(300, 300); });
  press("insert puts a chunk under the cursor", KEY_INSERT);
  press("i puts another", KEY_I);
  press("ctrl i asks for the number", KEY_I, KB_CTRL_FLAG, "8A1\n");
  press("ctrl insert with a bad number", KEY_INSERT, KB_CTRL_FLAG, "1G\n");
  press("ctrl i with a letter beyond ASCII", KEY_I, KB_CTRL_FLAG, "\xC1\n");
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
  step("f8 with no project loaded says to load one", [&] {
    level_editor_play = play_loaded_project;
    in->press(KEY_F8).release(KEY_F8);
  });
  level_editor_play = nullptr;
  step("wheel out", [&] { in->wheel(-3); }, 2);
  press("page up zooms in", KEY_PGUP);
  press("home: 100 percent", KEY_HOME);
  press("page down", KEY_PGDN);
  step("arrows scroll", [&] { in->press(KEY_RIGHT).idle(4).release(KEY_RIGHT).press(KEY_DOWN).idle(3).release(KEY_DOWN); }, 9);
  step("shift arrows scroll faster", [&] {
    in->key_shift_flags = KB_SHIFT_FLAG;
    in->press(KEY_LEFT).idle(3).release(KEY_LEFT).then([](ScriptedInput& s) { s.key_shift_flags = 0; });
  }, 5);
  step("f1 shows the help until a click", [&] {
    in->press(KEY_F1).idle(2).release(KEY_F1).idle(15);
    in->then([this](ScriptedInput& s) { seen.push_back({"the help overlay", colour_hash(s.screen.get())}); });
    in->click(2);  // the right button ends it too, and is no click on the editor
    run_script();
  });
  press("f4 snaps again", KEY_F4);
  step("at an odd place", [&] { place_mouse(101, 101); });
  press("insert snaps the new chunk to the grid", KEY_INSERT);
  step("ctrl click adds the new chunk to the group", [&] {
    in->key_shift_flags = KB_CTRL_FLAG;
    drag(0, 0);
    in->key_shift_flags = 0;
  });
  press("ctrl d duplicates the group", KEY_D, KB_CTRL_FLAG);
  press("ctrl a selects every object", KEY_A, KB_CTRL_FLAG);
  press("ctrl x cuts the group", KEY_X, KB_CTRL_FLAG);
  press("ctrl v pastes it under the cursor", KEY_V, KB_CTRL_FLAG);
  press("delete deletes the group", KEY_DEL);
  press("ctrl v pastes it again", KEY_V, KB_CTRL_FLAG);
  step("shift drag selects a rectangle", [&] {
    in->key_shift_flags = KB_SHIFT_FLAG;
    drag(120, 100);
    in->key_shift_flags = 0;
  });
  step("a click on nothing selects nothing", [&] {
    place_mouse(600, 440);
    drag(0, 0);
  });
  step("over a chunk again", [&] { place_mouse(138, 188); });
  press("n: the next placement of the chunk", KEY_N);
  press("shift n: the previous one", KEY_N, KB_SHIFT_FLAG);
  press("h frames every placement of the chunk", KEY_H);
  press("h again: no frames", KEY_H);

  EXPECT_EQ(in->vsyncs, in->presents);  // one wait for the beam before each frame shown
  expect_step_hashes("level editor session", seen, {
    0x96bc4b2d76c2309bull, 0x96bc4b2d76c2309bull, 0xfdfccfead972a102ull, 0x64d647810ac6127dull, 0x39c8210391397d50ull,
    0xbedc41fee1169eceull, 0x38d8c5b7e09d1150ull, 0x9e152751ea09b50eull, 0x6d65568a45424c31ull, 0x9e152751ea09b50eull,
    0x6d65568a45424c31ull, 0xa6ef77a894a3d50full, 0x4f79c128d741a00full, 0xb4cf283309ccd755ull, 0xb268ce88528e2fe9ull,
    0x5939e1736e92ec50ull, 0x75f6ab7ac32e4139ull, 0x5bd463968f725430ull, 0x722b6b1242f46f62ull, 0x0b0d1c1bd6408438ull,
    0xcebabe677c999f0bull, 0xbd7f17402c8f6b19ull, 0xcf6c7813a2c8518cull, 0x43dc483c5ea58e36ull, 0x0d0489e6052c1e2bull,
    0x0d0489e6052c1e2bull, 0x233e435c3848d9e6ull, 0xf0e422e6fb3fac3eull, 0xda145ced5df5329bull, 0xda145ced5df5329bull,
    0x320d786485642a35ull, 0xe15b06a56fde0d09ull, 0x21e0dc6ed7743027ull, 0x8d41cac264d20fceull, 0xfed316173cbb086full,
    0xdfe2d8d3882f153dull, 0x73985809f08cb049ull, 0xfce2c43ce6f6b045ull, 0xf1f1af105e3ecbf9ull, 0x9b7022f9aa80f134ull,
    0xc64a21aa02e2a663ull, 0x9b7022f9aa80f134ull, 0x9567718c427572dfull, 0x588c66d2be4c70f2ull, 0x4a1194102356520aull,
    0x96c334b0bedd9430ull, 0x93369df00cc937d2ull, 0x33c53daab55a5900ull, 0xde02a41ebd41a480ull, 0x25a5a2e91764aa43ull,
    0x4d8d17b9068df40eull, 0x30f7eb2e4ebff40dull, 0x0ede8f98ab285484ull, 0xa8a5ad6a9c44195eull, 0xe3ab9b13e9f182c2ull,
    0xe3ab9b13e9f182c2ull, 0xd16225e10c9f23f5ull, 0x36b0d8db564ccfb5ull, 0xbda369d48220e0e1ull, 0x48d6fa9128b26454ull,
    0x2b7f4a519dfdf47aull, 0xeb89f240f1927b58ull, 0x88cc52a1d51ddd76ull, 0x4d35c9cfad5a625eull, 0x80c16beffdd1bcd4ull,
    0xa2db77a9dc195dcaull, 0x97339c39f532bf61ull, 0x0a6dbc26d8063a5cull, 0x2b7558c66c81f692ull, 0xdee8786427ffe109ull,
    0x97f93727dc0c7abaull, 0xdee8786427ffe109ull, 0xe03ea6691148d408ull, 0xf5ce7f8f5a04ec24ull, 0xa82ba7d862333e35ull,
    0x2139206a8759e62dull, 0x0ed468a1a4540f54ull, 0xec6c81134def36e8ull, 0xb8466cdeef07bf04ull, 0x299137bd525b8a43ull,
    0xb8466cdeef07bf04ull, 0x299137bd525b8a43ull, 0x4b98950c8b1aa044ull, 0x4313934c3b573623ull, 0x41c5161b577a70ccull,
    0x09592afd96023f4aull, 0xcfa3d5c038b349dfull, 0xb170086e62882293ull, 0xcfa3d5c038b349dfull,
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
  step("the markers animate", [] {}, 9);
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
  step("escape at the name keeps it", [&] { in->press(KEY_ENTER).release(KEY_ENTER).type("X").type_key(KEY_ESC, 27); }, 2);
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
  // The down, left and right links, each on its own line, from none: plus, minus and star.
  for (const int k : {KEY_STOP, KEY_STOP, KEY_EQUALS, KEY_STOP, KEY_MINUS, KEY_STOP, KEY_ASTERISK})
    in->press(k).idle().release(k).idle(2);
  run_script();
  const Marker& t = markers[1];
  EXPECT_EQ((std::vector<int>{t.next_up, t.next_down, t.next_left, t.next_right, t.next_tunnel}),
            (std::vector<int>{255, 0, 130, 15, 0}));
  // A drag of 3 pixels moves nothing.
  const Marker before = t;
  drag(3, 3);
  EXPECT_EQ(t, before);
  expect_step_hashes("map screen session", seen, {
    0x6cb877de0a16a00cull, 0xe617dece423aebdeull, 0xdb4044370fa84cebull, 0x805d3c712c462032ull, 0x84e4471870e07cefull,
    0x02f9e5cb493ef366ull, 0xdadfc2cee53a65bbull, 0xefd551d9ef948e8eull, 0xe7e62e220f1920deull, 0x4ddcf00baede7c9eull,
    0xfc91c2403b50d78dull, 0xdf31e6a409e00942ull, 0xc8e9a4210a92bc0full, 0xf481ad011b254d52ull, 0xe4a8b306b93fa787ull,
    0x0c688c49502d46ecull, 0x530fc55c6e34db35ull, 0x18f1ec8aef8d9f94ull, 0xcb99b5e2e9bb5154ull, 0x18f1ec8aef8d9f94ull,
    0xd88ececc17b35fe1ull, 0xe08ec1b1799202ccull, 0xfd64c2f90238c1ddull, 0x4c568789a866e9cdull, 0x226b4dc617425bf2ull,
    0x54832ce9c7fddbf1ull, 0xf76a803f30b3afb5ull, 0x128e00f2f4884db5ull, 0x128e00f2f4884db5ull, 0x7e60b71127e7b296ull,
    0x90ab49cf7caadc98ull, 0x90ab49cf7caadc98ull, 0x02c53e4fdaf598edull, 0xd3ecb81ae4189d74ull, 0x3858c755ec13f0feull,
    0x86f5e51f5f5aeb32ull, 0x2d4d1d29decc7bdfull, 0x9f26b9608219d4aaull, 0x2d4d1d29decc7bdfull, 0x2d4d1d29decc7bdfull,
    0x3efabefa6125f2d9ull, 0x00b7d932fb868cdcull, 0xf13266741764b09aull,
  });
}
