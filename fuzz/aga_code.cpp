// Fuzzes the reader of the AGA CODE data (the name tables, palettes and map headers that
// project generation takes from it) on damaged copies of the sample game's unpacked CODE
// data; the input format is in sample_patches.h (byte 0 unused). What the reader accepts
// must make a project whose files all lie inside the project tree.
#include <cstdio>
#include <cstdlib>

#include "files/pp20.h"
#include "files/packed_block.h"
#include "files/project_generate.h"
#include "files/rom_tables.h"
#include "sample_patches.h"

namespace {

SamplePatches* code = nullptr;

bool load_code() {
  std::vector<uint8_t> file, data;
  std::string error;
  if (!read_sample_game_file("aga/CODE", file) || !unpack_block(file.data(), file.size(), 0, data, error)) return false;
  code = new SamplePatches(data);
  SamplePatches& p = *code;
  p.add(aga::MAP_HEADERS, MAP_HEADER_COUNT * MAP_HEADER_BYTES);
  for (size_t table : {aga::CHUNKMAP_NAMES, aga::SOLIDITY_NAMES, aga::GRAPHICS_NAMES}) p.add(table, 4 * THEME_SCAN_LIMIT);
  p.add(aga::LAYOUT_NAMES, 4 * LAYOUT_BANK_SIZE);
  p.add(aga::LAYOUT_NAMES_HIGH, 4 * LAYOUT_BANK_SIZE);
  p.add(aga::PALETTE_TABLE, 4 * PALETTE_COUNT);
  p.add(0x0342C0, 0x036000 - 0x0342C0);  // the palettes
  p.add(0x036000, 0x03A000 - 0x036000);  // the file names
  p.add(aga::NAME_AREA_START, aga::NAME_AREA_END - aga::NAME_AREA_START);
  return true;
}

// A path the generator writes: inside ./themes or ./levels, or the project file.
bool inside_project(const std::string& path) {
  if (path.find("/../") != std::string::npos || path.find("\\") != std::string::npos) return false;
  return path.rfind("./themes", 0) == 0 || path.rfind("./levels", 0) == 0 || path == "GLB-AGA.glp";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pp20_set_trace(nullptr);
  if (!load_code()) {
    std::fprintf(stderr, "aga_code: no sample CODE file (set MOSSFORGE_SAMPLE_DIR)\n");
    std::abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t>& bytes = code->apply(data, size);
  GameNames names;
  ProjectTree tree;
  std::string error;
  if (read_aga_code(bytes, "game/", names, tree, error)) {
    ProjectTables tables;
    add_project_files(names, tree, tables);
    for (const ProjectTree::Entry& e : tree.entries) {
      if (!inside_project(e.path)) __builtin_trap();
      if (e.kind == ProjectTree::Entry::Copy && e.source.rfind("game/", 0) != 0) __builtin_trap();
    }
    for (int t = 0; t < PROJECT_THEMES; ++t)
      for (const std::string* n : {&names.chunkmap[t], &names.solidity[t], &names.graphics[t]})
        if (n->size() > aga::NAME_LIMIT || n->find('/') != std::string::npos) __builtin_trap();
    for (const std::string& n : names.layouts)
      if (n.size() > aga::NAME_LIMIT || n.find('/') != std::string::npos) __builtin_trap();
    for (const LevelRecord& l : tables.levels)
      if (l.map_front.size() > PROJECT_FIELD_MAX) __builtin_trap();
  } else if (error.empty()) {
    __builtin_trap();
  }
  code->restore();
  return 0;
}
