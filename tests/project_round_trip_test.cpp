// The modder's whole workflow on the sample game: generate a project from the master, build
// it unchanged, then edit one level in the editor, save it into the project and build again.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

#include "gamedata/level_state.h"
#include "app/level_file_commands.h"
#include "app/level_commands.h"
#include "app/problem_text.h"
#include "files/atomic_file.h"
#include "files/byte_order.h"
#include "files/chunk_set_block.h"
#include "files/game_build.h"
#include "files/layout_block.h"
#include "files/packed_block.h"
#include "files/pp20.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "gamedata/project_level_load.h"
#include "gamedata/rom_import.h"
#include "game_fixtures.h"
#include "test_support.h"
#include "ui/messages.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

std::string* sample_dir = nullptr;

int run(const std::string& command) {
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

bool decode_layout(const Bytes& image, size_t offset, LayoutPlane& out) {
  std::string error;
  return LoadLevelBlock(image.data(), image.size(), offset, out, error);
}

bool decode_chunks(const Bytes& image, size_t offset, ChunkMap& out) {
  std::string error;
  return LoadChunkSet(image.data(), image.size(), offset, out, error);
}

bool same_chunks(const ChunkMap& a, const ChunkMap& b) {
  return a.chunks.size() == b.chunks.size() &&
         std::memcmp(a.chunks.data(), b.chunks.data(), a.chunks.size() * sizeof(Chunk)) == 0;
}

std::string first(const ProjectMessages& m) { return m.all().empty() ? "" : problem_texts(m)[0]; }

// The edit a modder makes in the level editor: another chunk for the first placement of a
// row, and that object moved 32 pixels to the right.
void edit_front_layout() {
  for (LayoutRow& row : front_layout.rows) {
    for (LayoutObject& o : row.objects) {
      if (o.code >= OBJECT_CHUNK_LIMIT) continue;
      o.code = static_cast<uint16_t>((o.code & PLACEMENT_CHUNK_MASK) == 1 ? 2 : 1);
      o.x = static_cast<uint16_t>(o.x + 32);
      return;
    }
  }
  FAIL() << "no chunk placement to edit";
}

// A modder's edits in the project's files, written as SAVE LEVEL and SAVE CHUNKMAP write
// them: in four levels objects moved, recoded, added and removed (rows kept in x order);
// in two themes cells changed. The front layouts of levels 0..23 and the chunk sets of
// themes 0..5 afterwards are `layouts` and `sets`.
struct EditedProject {
  std::map<int, LayoutPlane> layouts;
  std::map<int, ChunkMap> sets;
};

void save_packed(const std::string& path, const Bytes& plain) { ASSERT_TRUE(write_file_atomic(path, pack_block(plain))); }

EditedProject edit_project(const ProjectTables& p) {
  EditedProject e;
  for (int level = 0; level < 24; ++level) {
    const std::string path = directory_of(p.level_paths[level]) + p.levels[level].map_front;
    LayoutPlane& plane = e.layouts[level];
    EXPECT_TRUE(decode_layout(read_bytes(path), 0, plane)) << path;
    if (level != 1 && level != 6 && level != 10 && level != 17) continue;
    std::vector<LayoutRow*> used;
    for (LayoutRow& row : plane.rows)
      if (row.objects.size() >= 2) used.push_back(&row);
    EXPECT_GE(used.size(), 3u) << level;
    if (used.size() < 3) continue;
    const LayoutPlane before = plane;
    used[0]->objects[0].x = static_cast<uint16_t>(used[0]->objects[0].x + 40);
    used[0]->objects[1].code = used[0]->objects[1].code < OBJECT_CHUNK_LIMIT ? 0x0805 : 0x0003;
    used[1]->objects.push_back({0x0801, static_cast<uint16_t>(plane.width - 32)});
    used[2]->objects.erase(used[2]->objects.begin());
    for (LayoutRow* row : used)
      std::stable_sort(row->objects.begin(), row->objects.end(),
                       [](const LayoutObject& a, const LayoutObject& b) { return a.x < b.x; });
    EXPECT_FALSE(plane == before) << level;
    Bytes block;
    std::string error;
    EXPECT_TRUE(build_layout_block(plane, block, error)) << error;
    save_packed(path, block);
  }
  for (int theme = 0; theme < 6; ++theme) {
    const std::string path = directory_of(p.theme_paths[theme]) + p.themes[theme].chunkmap;
    ChunkMap& set = e.sets[theme];
    EXPECT_TRUE(decode_chunks(read_bytes(path), 0, set)) << path;
    if (theme != 1 && theme != 4) continue;
    set.chunks[1].cell(0, 0) = 0x2000 | 30;
    Chunk& last = set.chunks.back();
    last.cell(last.width - 1, last.height - 1) ^= 0x4000;
    Bytes block;
    std::string error;
    EXPECT_TRUE(build_chunk_set_block(set, block, error)) << error;
    save_packed(path, block);
  }
  return e;
}

// The project generated from a built game holds exactly the edited layouts and chunk sets.
void expect_project_holds(const ProjectTables& p, const EditedProject& e) {
  for (const auto& [level, plane] : e.layouts) {
    LayoutPlane got;
    ASSERT_TRUE(decode_layout(read_bytes(directory_of(p.level_paths[level]) + p.levels[level].map_front), 0, got)) << level;
    EXPECT_TRUE(got == plane) << "level " << level;
  }
  for (const auto& [theme, set] : e.sets) {
    ChunkMap got;
    ASSERT_TRUE(decode_chunks(read_bytes(directory_of(p.theme_paths[theme]) + p.themes[theme].chunkmap), 0, got)) << theme;
    EXPECT_TRUE(same_chunks(got, set)) << "theme " << theme;
  }
}

class ProjectRoundTrip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sample_dir = new std::string(scratch_dir("round_trip_sample"));
    ASSERT_EQ(run("'" MOSSFORGE_BINARY_DIR "/samplegame' '" + *sample_dir + "' >/dev/null 2>&1"), 0);
  }
  static void TearDownTestSuite() {
    delete sample_dir;
    sample_dir = nullptr;
  }
  void SetUp() override {
    headless_screen();
    pp20_set_trace(nullptr);
    dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::copy(*sample_dir, dir + "/master", fs::copy_options::recursive);
    cwd = std::make_unique<ScopedCwd>(dir);
    captured_messages().clear();
  }
  void TearDown() override { cwd.reset(); }
  // LOAD PROJECT... as the menu does it.
  void load_project(const std::string& path) {
    ProjectMessages m;
    ASSERT_TRUE(LoadProject(path, project, m));
    ASSERT_TRUE(m.all().empty()) << first(m);
    project.project_file = path;
  }
  // Loads the level through the project, edits it and saves it: SAVE LEVEL writes the
  // project's own layout file (an import from the ROM before forgets earlier file names).
  void edit_level_in_project(int level, const std::string& layout_path) {
    level_file_name = "stale.lvl";
    ASSERT_EQ(level_import_map(0), 0);
    ASSERT_EQ(level_file_name, "");
    ASSERT_EQ(project_level_load_number(static_cast<uint8_t>(level)), 0) << captured_messages().back();
    ASSERT_EQ(level_file_name, layout_path);
    edit_front_layout();
    edited = front_layout;
    ASSERT_EQ(SaveLevel(), 0);
  }
  std::string dir;
  std::unique_ptr<ScopedCwd> cwd;
  LayoutPlane edited;
};

}  // namespace

TEST_F(ProjectRoundTrip, GenesisBuildGivesTheMastersLayoutsAndChunkSetsAndCarriesOneEdit) {
  ProjectMessages gm;
  ASSERT_EQ(GenerateGenesisProject(MASTER_ROM_PATH, project, gm), 0) << first(gm);
  load_project("GLB-Gen.glp");
  ProjectMessages bm;
  std::string output;
  ASSERT_EQ(BuildGenesisGame(project, bm, &output), 0) << first(bm);
  ASSERT_EQ(output, "GLB-Gen.bin");

  const Bytes master = read_bytes(MASTER_ROM_PATH);
  const Bytes built = read_bytes(output);
  ASSERT_EQ(built.size(), master.size());
  // Every layout of a built image is the master's; `edited_level` holds `edited` instead.
  auto expect_layouts = [&](const Bytes& image, int edited_level) {
    for (int i = 0; i < LAYOUT_BANK_SIZE; ++i) {
      LayoutPlane a, b;
      ASSERT_TRUE(decode_layout(master, read_be32(&master[genesis::LAYOUT_TABLE + 4 * i]), a)) << i;
      ASSERT_TRUE(decode_layout(image, read_be32(&image[genesis::LAYOUT_TABLE + 4 * i]), b)) << i;
      EXPECT_TRUE(i == edited_level ? b == edited && !(a == b) : a == b) << "layout " << i;
    }
  };
  expect_layouts(built, -1);
  int layouts = 0, chunk_sets = 0;
  for (int i = 0; i < LAYOUT_BANK_SIZE; ++i) layouts += read_be32(&built[genesis::LAYOUT_TABLE + 4 * i]) >= genesis::PLACEMENT_START;
  for (int t = 0; t < BUILD_THEMES; ++t) {
    const uint32_t at = read_be32(&master[genesis::CHUNKMAP_TABLE + 4 * t]);
    if (at == 0) {
      EXPECT_EQ(read_be32(&built[genesis::CHUNKMAP_TABLE + 4 * t]), 0u);
      continue;
    }
    ChunkMap a, b;
    ASSERT_TRUE(decode_chunks(master, at, a));
    const uint32_t placed = read_be32(&built[genesis::CHUNKMAP_TABLE + 4 * t]);
    ASSERT_TRUE(decode_chunks(built, placed, b));
    EXPECT_EQ(std::memcmp(&built[placed], "ITMS", 4), 0);
    EXPECT_TRUE(same_chunks(a, b)) << "theme " << t;
    ++chunk_sets;
  }
  // Every level and theme of the sample went through the project; nothing else changed.
  EXPECT_EQ(layouts, 24);
  EXPECT_EQ(chunk_sets, 6);
  for (size_t i = 0; i < master.size(); ++i) {
    const bool tables = (i >= genesis::LAYOUT_TABLE && i < genesis::LAYOUT_TABLE + 4 * 128) ||
                        (i >= genesis::CHUNKMAP_TABLE && i < genesis::CHUNKMAP_TABLE + 4 * BUILD_THEMES);
    const bool placed = i >= genesis::PLACEMENT_START && i < genesis::PLACEMENT_END;
    const bool patch = i >= genesis::NOP_PATCH && i < genesis::NOP_PATCH + 6;
    if (!tables && !placed && !patch) {
      ASSERT_EQ(built[i], master[i]) << "offset " << i;
    }
  }

  // Edit level 5 in the editor, SAVE LEVEL into the project, build again.
  edit_level_in_project(5, "./levels/./lvl/Lvl05.lvl");
  ProjectMessages bm2;
  ASSERT_EQ(BuildGenesisGame(project, bm2, &output), 0) << first(bm2);
  expect_layouts(read_bytes(output), 5);
}

TEST_F(ProjectRoundTrip, EditedProjectComesBackFromTheBuiltGenesisGame) {
  ProjectMessages m;
  ASSERT_EQ(GenerateGenesisProject(MASTER_ROM_PATH, project, m), 0) << first(m);
  load_project("GLB-Gen.glp");
  const EditedProject edited = edit_project(project);
  ASSERT_EQ(BuildGenesisGame(project, m), 0) << first(m);
  fs::create_directory("again");
  ScopedCwd again("again");
  ProjectTables regenerated;
  ASSERT_EQ(GenerateGenesisProject("../GLB-Gen.bin", regenerated, m), 0) << first(m);
  expect_project_holds(regenerated, edited);
}

TEST_F(ProjectRoundTrip, EditedProjectComesBackFromTheBuiltAgaGame) {
  ProjectMessages m;
  ASSERT_EQ(GenerateAgaProject(MASTER_CODE_PATH, project, m), 0) << first(m);
  load_project("GLB-AGA.glp");
  const EditedProject edited = edit_project(project);
  ASSERT_EQ(BuildAgaGame(project, m), 0) << first(m);
  // The built folder goes over a copy of the game, whose other data files it does not hold.
  fs::copy("master/aga", "game", fs::copy_options::recursive);
  fs::copy("GLB-AGA", "game", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  fs::create_directory("again");
  ScopedCwd again("again");
  ProjectTables regenerated;
  ASSERT_EQ(GenerateAgaProject("../game/CODE", regenerated, m), 0) << first(m);
  expect_project_holds(regenerated, edited);
}
