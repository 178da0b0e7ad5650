#include <gtest/gtest.h>

#include <filesystem>

#include "app/problem_text.h"
#include "files/byte_order.h"
#include "files/packed_block.h"
#include "files/project_generate.h"
#include "files/project_tree.h"
#include "files/rom_tables.h"
#include "game_fixtures.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// Generates from a ROM image written as "rom.bin"; messages and result returned.
int generate_genesis(const std::vector<uint8_t>& rom, ProjectTables& tables, ProjectMessages& messages) {
  write_bytes("rom.bin", rom);
  return GenerateGenesisProject("rom.bin", tables, messages);
}

}  // namespace

// A zero solidity entry after theme 0 ends that list: the themes behind it get no solidity file.
TEST(GenerateGenesisProject, ZeroSolidityEntryAfterThemeZeroEndsTheList) {
  ScopedCwd cwd(scratch_dir("generate_genesis_solidity_end"));
  GenesisFixture f = make_genesis_fixture();
  auto entry = [&f](size_t table, int t, size_t v) { write_be32(&f.rom[table + 4 * t], static_cast<uint32_t>(v)); };
  entry(genesis::CHUNKMAP_TABLE, 2, f.chunkmap_offset[1]);  // a third theme
  entry(genesis::PATTERN_TABLE, 2, f.pattern_offset[1]);
  entry(genesis::BLOCKMAP_TABLE, 2, f.blockmap_offset[1]);
  entry(genesis::SOLIDITY_TABLE, 1, 0);
  entry(genesis::SOLIDITY_TABLE, 2, f.solidity_offset[0]);
  ProjectTables tables;
  ProjectMessages m;
  ASSERT_EQ(generate_genesis(f.rom, tables, m), 0) << (m.all().empty() ? "" : problem_texts(m)[0]);
  EXPECT_TRUE(fs::exists("themes/itm/Itm2.itm"));
  EXPECT_TRUE(fs::exists("themes/ins/Ins0.ins"));
  EXPECT_FALSE(fs::exists("themes/ins/Ins1.ins"));
  EXPECT_FALSE(fs::exists("themes/ins/Ins2.ins"));
}
