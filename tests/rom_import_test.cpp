#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/level_commands.h"
#include "chunkedit/chunk_undo.h"
#include "gamedata/rom_import.h"
#include "leveledit/level_undo.h"
#include "game_fixtures.h"
#include "test_support.h"
#include "ui/messages.h"
#include "ui/settings.h"

using RomImport = ScratchTest;

TEST_F(RomImport, HandBuiltImageFillsTheWholeModel) {
  const TestRom t = build_test_rom();
  write_test_rom(t.rom, dir);
  level_undo_size = 7;
  meta_undo_size = 9;
  editor_mode = 5;
  ASSERT_EQ(level_import_map(0), 0) << (captured_messages().empty() ? "" : captured_messages().back());
  EXPECT_EQ(editor_mode, 0);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"[00] MAP SCREEN"});
  EXPECT_EQ(map_header.map_back, 1);
  EXPECT_EQ(map_header.palette_flash, 3);
  EXPECT_EQ(map_header.music, 16);
  EXPECT_EQ(front_layout.width, 640);
  EXPECT_EQ(front_layout.rows.size(), 11u);
  EXPECT_EQ(back_layout.width, 320);
  // Chunks, level and common patterns and block maps, pickups, markers, block types.
  EXPECT_EQ(std::vector<int>({chunkmap.count(), level_patterns.count, common_patterns.count, level_blockmap.count,
                              common_blockmap.count, pickup_patterns.count, marker_count, block_type_count}),
            std::vector<int>({3, 40, 16, 496, 24, 232, 131, 105}));
  EXPECT_EQ(block_types[100].kind, 100 % 17 - 20);
  EXPECT_EQ(markers[1].name, "SECOND ISLAND");
  // Palette line 2 holds palette 2: colour 3 = R (5 * 32), G (3 * 32), B (2 * 32).
  EXPECT_EQ(std::vector<int>({palettes[2][3].red, palettes[2][3].green, palettes[2][3].blue}),
            std::vector<int>({160, 96, 64}));
  for (int i = 0; i < BLOCK_SLOTS; ++i) ASSERT_EQ(block_bitmaps[i] != nullptr, i < 520) << i;
  EXPECT_EQ(chunk_thumbnail_count, 3);
  ASSERT_TRUE(chunk_bitmaps[2]);
  EXPECT_EQ(chunk_bitmaps[2]->w, 48);
  EXPECT_FALSE(chunk_bitmaps[3]);
  for (const BitmapPtr& b : pickup_icons) EXPECT_TRUE(b);
  EXPECT_TRUE(large_object_frames[2]);
  EXPECT_TRUE(marker_icons_tunnel[2]);
  EXPECT_EQ(level_history.capacity(), 7u);
  EXPECT_EQ(chunk_history.capacity(), 9u);

  // The five dumps hold exactly the bytes read.
  const std::pair<const char*, std::vector<uint8_t>> dumps[] = {
      {"dump/vram_tiles.bin", t.level_pattern_bytes},
      {"dump/vram_common.bin", t.common_pattern_bytes},
      {"dump/block_mappings.bin", t.part(t.blockmap_at, 3968)},
      {"dump/common_mappings.bin", t.part(genesis::COMMON_BLOCKMAP, 3968)},
      {"dump/vram_moon.bin", t.part(genesis::MOON_PATTERNS, 128)}};
  for (const auto& [path, expected] : dumps) EXPECT_EQ(read_bytes(path), expected) << path;
  // With no folder (as for the analysis' pictures) they go nowhere, not to the root folder.
  DebugDumps nowhere;
  nowhere.add("mossforge-test-dump.bin", {1});
  nowhere.write();
  EXPECT_FALSE(std::filesystem::remove("/mossforge-test-dump.bin"));

  // A second import of another map replaces the level; the packed layout reads as well.
  captured_messages().clear();
  ASSERT_EQ(level_import_map(2), 0);
  EXPECT_EQ(captured_messages(), std::vector<std::string>{"[02] SECOND ISLAND"});
  EXPECT_EQ(front_layout.width, 800);
  EXPECT_EQ(map_header.palette_main, 3);
}
