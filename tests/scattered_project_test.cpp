// A project whose descriptors each lie in a folder of their own, at different depths, with
// record paths that climb out of their folder (../) and, in different folders, the same
// relative names for different files. Every reader of a project must join each record's path
// to the folder of the descriptor that holds it: a path joined to another descriptor's folder
// reaches a missing file or, worse, another level's file of the same name. Each check compares
// whole records with what the fixture wrote.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>

#include "app/level_commands.h"
#include "app/problem_text.h"
#include "chunkedit/chunkmap_edits.h"
#include "files/byte_order.h"
#include "files/game_build.h"
#include "files/packed_block.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "gamedata/chunk_usage.h"
#include "gamedata/level_state.h"
#include "gamedata/pattern_graphics.h"
#include "test_support.h"
#include "ui/messages.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// All thirteen header values, to compare and print as one.
std::array<int, 13> header_values(const MapHeader& h) {
  return {h.map_front,     h.map_back,      h.palette_main,  h.palette_front, h.palette_back,
          h.palette_flash, h.back_scroll_a, h.back_scroll_b, h.back_scroll_c, h.back_scroll_d,
          h.front_scroll,  h.flags,         h.music};
}

// The bytes of a block file as a reader sees them: unpacked when packed.
Bytes plain(const Bytes& bytes) {
  if (!has_packed_block_mark(bytes.data(), bytes.size(), 0)) return bytes;
  Bytes out;
  std::string error;
  EXPECT_TRUE(unpack_block(bytes.data(), bytes.size(), 0, out, error)) << error;
  return out;
}

struct ScatteredLevel {
  int number;
  std::string descriptor;  // path of the level descriptor
  LayoutPlane front, back;
  bool back_exists;
  int palette_seed;         // palette_file(seed .. seed + 3)
  std::array<int, 7> values;  // back_scroll_a .. d, front_scroll, flags, music
};

struct ScatteredTheme {
  int number;
  std::string descriptor;
  ChunkMap chunks;
  bool planar;
};

class ScatteredProject : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    rom = build_test_rom();
    write_test_rom(rom.rom, ".");
    for (const char* d : {"themes/jungle/pat", "themes/jungle/bma", "themes/cas/deep/pat", "themes/cas/deep/bma",
                          "themes/shared", "gfx", "maps", "levels/one/pal", "levels/two/inner/pal", "proj/pal3"})
      fs::create_directories(d);
    const Bytes patterns = rom.part(rom.patterns_at, read_be32(&rom.rom[rom.patterns_at]));
    const Bytes blockmap = rom.part(rom.blockmap_at, 3968);
    // Themes 0 and 1 name their patterns alike, each below its own descriptor's folder.
    write_text("themes/jungle/jungle.glt",
               {"chunkmap = ../shared/jungle.itm", "patterns = pat/p.pat", "blockmap = ./bma/b.bma"});
    write_text("themes/cas/deep/castle.glt",
               {"chunkmap = ../../shared/castle.itm", "patterns = pat/c.pat", "blockmap = ./bma/c.bma"});
    write_text("proj/planar.glt", {"chunkmap = ../themes/shared/planar.itm", "graphics = ../gfx/../gfx/P.GLV"});
    for (const char* p : {"themes/jungle/pat/p.pat", "themes/cas/deep/pat/c.pat"}) write_bytes(p, patterns);
    for (const char* p : {"themes/jungle/bma/b.bma", "themes/cas/deep/bma/c.bma"}) write_bytes(p, blockmap);
    write_bytes("gfx/P.GLV", pack_block(planar_blocks()));
    themes = {{0, "proj/../themes/jungle/jungle.glt", fixture_chunks(4, 0), false},
              {1, "proj/../themes/cas/deep/castle.glt", fixture_chunks(5, 1), false},
              {2, "proj/planar.glt", fixture_chunks(3, 2), true}};
    write_bytes("themes/shared/jungle.itm", pack_block(chunk_set_bytes(themes[0].chunks)));
    write_bytes("themes/shared/castle.itm", chunk_set_bytes(themes[1].chunks));
    write_bytes("themes/shared/planar.itm", pack_block(chunk_set_bytes(themes[2].chunks)));

    // Levels 1 and 2 name their back layout and palettes alike, each in its own folder.
    levels = {{1, "proj/../levels/one/level.gll", fixture_plane(1, 4, 3), fixture_plane(1, 2, 4), true, 10, {1, 2, 3, 4, 5, 6, 7}},
              {2, "proj/../levels/two/inner/level.gll", fixture_plane(0, 5, 1), fixture_plane(0, 3, 2), true, 20,
               {11, 12, 13, 14, 15, 16, 17}},
              {3, "proj/level.gll", fixture_plane(2, 3, 5), LayoutPlane(), false, 30, {21, 22, 23, 24, 25, 26, 255}}};
    write_bytes("maps/one.lvl", pack_block(layout_bytes(levels[0].front)));
    write_bytes("levels/one/back.lvl", layout_bytes(levels[0].back));
    write_bytes("maps/two.lvl", layout_bytes(levels[1].front));
    write_bytes("levels/two/inner/back.lvl", pack_block(layout_bytes(levels[1].back)));
    write_bytes("maps/three.lvl", layout_bytes(levels[2].front));
    const char* folders[3] = {"levels/one/pal/", "levels/two/inner/pal/", "proj/pal3/"};
    for (int l = 0; l < 3; ++l)
      for (int p = 0; p < 4; ++p)
        write_bytes(folders[l] + std::to_string(p) + ".pal", palette_file(levels[l].palette_seed + p));
    const std::vector<std::string> numbers = {"back_scroll_a", "back_scroll_b", "back_scroll_c", "back_scroll_d",
                                              "front_scroll",  "flags",         "music"};
    const std::string fronts[3] = {"../../maps/one.lvl", "../../../maps/two.lvl", "../maps/three.lvl"};
    const std::string backs[3] = {"back.lvl", "./back.lvl", "back.lvl"};  // level 3 has none
    const std::string pals[3] = {"pal/", "./pal/", "pal3/"};
    for (int l = 0; l < 3; ++l) {
      std::vector<std::string> lines{"map_front = " + fronts[l], "map_back = " + backs[l]};
      for (const char* key : {"palette_main", "palette_front", "palette_back", "palette_flash"})
        lines.push_back(std::string(key) + " = " + pals[l] + std::to_string(lines.size() - 2) + ".pal");
      for (size_t v = 0; v < numbers.size(); ++v) lines.push_back(numbers[v] + " = " + std::to_string(levels[l].values[v]));
      write_text(levels[l].descriptor, lines);
    }
    // The project file in a folder of its own: its paths lead from there.
    write_text("proj/Scattered.glp", {"glb_project_file_version = 0", "theme_0 = ../themes/jungle/jungle.glt",
                                      "theme_1 = ../themes/cas/deep/castle.glt", "theme_2 = planar.glt",
                                      "level_01 = ../levels/one/level.gll",
                                      "level_02 = ./../levels/two/inner/level.gll", "level_03 = level.gll"});
    ProjectMessages m;
    ASSERT_TRUE(LoadProject("proj/Scattered.glp", project, m));
    ASSERT_TRUE(m.all().empty()) << problem_texts(m)[0];
    project.project_file = "proj/Scattered.glp";
  }
  TestRom rom;
  ProjectTables project;
  std::vector<ScatteredTheme> themes;
  std::vector<ScatteredLevel> levels;
};

}  // namespace

// Each level as LOAD LEVEL... builds it: its own layouts, palettes, chunk set and graphics, all
// thirteen header values, and its own files as those the saves write.
TEST_F(ScatteredProject, EveryLevelLoadsItsOwnFilesAndHeader) {
  ASSERT_EQ(level_import_map(0), 0);  // the ROM's map 0: theme 0's patterns and block map
  const PatternSet rom_patterns = level_patterns;
  const BlockMap rom_blockmap = level_blockmap;
  ::project = project;
  const std::string fronts[3] = {"maps/one.lvl", "maps/two.lvl", "maps/three.lvl"};
  const std::string backs[3] = {"levels/one/back.lvl", "levels/two/inner/back.lvl", "proj/back.lvl"};
  const std::string chunk_sets[3] = {"themes/shared/jungle.itm", "themes/shared/castle.itm", "themes/shared/planar.itm"};
  for (const ScatteredLevel& s : levels) {
    SCOPED_TRACE("level " + std::to_string(s.number));
    ASSERT_EQ(project_level_load_number(static_cast<uint8_t>(s.number)), 0) << captured_messages().back();
    EXPECT_TRUE(front_layout == s.front);
    EXPECT_TRUE(back_layout == s.back);
    const ScatteredTheme& theme = themes[s.front.theme];
    EXPECT_EQ(chunk_set_bytes(chunkmap), chunk_set_bytes(theme.chunks));
    for (int line = 0; line < 4; ++line) {
      const Bytes words = palette_file(s.palette_seed + line);
      for (int i = 0; i < 16; ++i) {
        const PaletteColor want = colour_from_word(read_be16(&words[2 * i]));
        const PaletteColor got = palettes[line][i];
        ASSERT_TRUE(got.red == want.red && got.green == want.green && got.blue == want.blue)
            << "palette line " << line << " colour " << i;
      }
    }
    const std::array<int, 13> header{s.number, 0,           0,           0,           0,           0,          s.values[0],
                                     s.values[1], s.values[2], s.values[3], s.values[4], s.values[5], s.values[6]};
    EXPECT_EQ(header_values(map_header), header);
    if (theme.planar) {
      // Block 0 of the planar graphics: pixel 0 of row 0 has colour index 1 of line 0.
      ASSERT_TRUE(block_bitmaps[COMMON_BLOCK_COUNT]);
      EXPECT_EQ(getpixel(block_bitmaps[COMMON_BLOCK_COUNT].get(), 0, 0), int(palette_pixel(palettes, 0, 1)));
    }
    // Both Genesis themes hold the patterns and block map of the ROM's theme 0; the planar one
    // keeps those of the level before it (level 2's: the same).
    EXPECT_EQ(level_patterns.count, rom_patterns.count);
    EXPECT_EQ(level_patterns.pixels, rom_patterns.pixels);
    ASSERT_EQ(level_blockmap.mappings.size(), rom_blockmap.mappings.size());
    for (size_t i = 0; i < level_blockmap.mappings.size(); ++i)
      ASSERT_EQ(level_blockmap.mappings[i].words, rom_blockmap.mappings[i].words) << "mapping " << i;
    const int l = s.number - 1;
    EXPECT_TRUE(fs::equivalent(level_files.front_save_file(), fronts[l]));
    EXPECT_EQ(fs::weakly_canonical(level_files.back_plane_file()), fs::weakly_canonical(backs[l]));
    EXPECT_TRUE(fs::equivalent(level_files.chunkmap_save_file(), chunk_sets[s.front.theme]));
  }
}

// The block analysis reads every level, and counts each chunk placement of both layouts in its
// theme (counted here from the planes written).
TEST_F(ScatteredProject, UsageReadsEveryLevelAndCountsItsPlacements) {
  UsageReport report;
  analyse_project_usage(project, report);
  ASSERT_TRUE(report.unread.empty()) << load_failure_text(report.unread[0].failure);
  EXPECT_EQ(report.levels_read, 3);
  std::map<std::pair<int, int>, int> placed;  // (theme, chunk) -> placements
  for (const ScatteredLevel& s : levels)
    for (const LayoutPlane* p : {&s.front, &s.back})
      for (const LayoutRow& row : p->rows)
        for (const LayoutObject& o : row.objects)
          if (o.code < OBJECT_CHUNK_LIMIT) ++placed[std::make_pair(int{s.front.theme}, o.code & PLACEMENT_CHUNK_MASK)];
  for (const ScatteredTheme& t : themes) {
    const ThemeUsage* usage = report.theme(t.number);
    ASSERT_TRUE(usage) << "theme " << t.number;
    EXPECT_EQ(usage->chunks.size(), t.chunks.chunks.size()) << "theme " << t.number;
    for (int c = 0; c < t.chunks.count(); ++c) {
      const ChunkUsage* chunk = usage->chunk(c);
      ASSERT_TRUE(chunk);
      EXPECT_EQ(chunk->placements, (placed[std::make_pair(t.number, c)])) << "theme " << t.number << " chunk " << c;
      // The chunk editor's question: which level (the first) places the chunk.
      const ScatteredLevel* first = nullptr;
      for (const ScatteredLevel& s : levels)
        if (!first && s.front.theme == t.number && (chunk_placements(s.front, c).size() + chunk_placements(s.back, c).size()))
          first = &s;
      EXPECT_EQ(project_level_placing(project, t.number, c), first ? first->number : -1)
          << "theme " << t.number << " chunk " << c;
    }
  }
}

// Both builds take each level's layout and each theme's chunk set from the files the
// descriptors name.
TEST_F(ScatteredProject, BothBuildsPlaceEachRecordsOwnFile) {
  ProjectMessages m;
  ASSERT_EQ(BuildGenesisGame(project, m), 0) << problem_texts(m).at(0);
  const Bytes image = read_bytes("proj/Scattered.bin");
  auto placed = [&](size_t table, int i, size_t n) {
    const size_t at = read_be32(&image[table + 4 * i]);
    return at + n <= image.size() ? Bytes(image.begin() + at, image.begin() + at + n) : Bytes();
  };
  for (const ScatteredLevel& s : levels) {
    const Bytes file = read_bytes(project_source_path(s.descriptor, project.levels[s.number].map_front));
    EXPECT_EQ(plain(placed(genesis::LAYOUT_TABLE, s.number, file.size())), layout_bytes(s.front))
        << "level " << s.number;
  }
  for (const ScatteredTheme& t : themes) {
    const Bytes set = chunk_set_bytes(t.chunks);
    EXPECT_EQ(placed(genesis::CHUNKMAP_TABLE, t.number, set.size()), set) << "theme " << t.number;
  }

  fs::create_directories("master/aga");
  write_aga_fixture("master/aga/");
  ASSERT_EQ(BuildAgaGame(project, m), 0) << problem_texts(m).at(0);
  Bytes code;
  std::string error;
  const Bytes packed = read_bytes("proj/Scattered/CODE");
  ASSERT_TRUE(unpack_block(packed.data(), packed.size(), 0, code, error)) << error;
  const auto named = [&](size_t table, int i) {
    const size_t at = read_be32(&code[table + 4 * i]) - aga::ADDRESS_BASE;
    const std::string name(reinterpret_cast<const char*>(&code[at]));
    return plain(read_bytes("proj/Scattered/" + name));
  };
  for (const ScatteredLevel& s : levels)
    EXPECT_EQ(named(aga::LAYOUT_NAMES, s.number), layout_bytes(s.front)) << "level " << s.number;
  for (const ScatteredTheme& t : themes)
    EXPECT_EQ(named(aga::CHUNKMAP_NAMES, t.number), chunk_set_bytes(t.chunks)) << "theme " << t.number;
}
