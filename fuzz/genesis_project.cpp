// Fuzzes the reader of Genesis project generation (every theme table, layout, palette and
// map header of the ROM image, the plain blocks packed as the project stores them) on
// damaged copies of the sample game's image; the input format is in sample_patches.h
// (byte 0 unused). What it accepts must make a project of readable blocks.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/chunk_set_block.h"
#include "files/layout_block.h"
#include "files/pp20.h"
#include "files/project_generate.h"
#include "sample_rom_regions.h"

namespace {
SamplePatches* image = nullptr;

bool ends_with(const std::string& s, const char* end) {
  const size_t n = std::strlen(end);
  return s.size() >= n && s.compare(s.size() - n, n, end) == 0;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pp20_set_trace(nullptr);
  image = &sample_rom_patches("genesis_project");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t>& rom = image->apply(data, size);
  GameNames names;
  ProjectTree tree;
  std::string error;
  if (read_genesis_rom(rom, names, tree, error)) {
    // Every layout and chunk-set file written reads back with the editor's own readers.
    for (const ProjectTree::Entry& e : tree.entries) {
      if (e.kind != ProjectTree::Entry::File) continue;
      std::string why;
      if (ends_with(e.path, ".lvl")) {
        LayoutPlane plane;
        if (!LoadLevelBlock(e.bytes.data(), e.bytes.size(), 0, plane, why)) __builtin_trap();
      } else if (ends_with(e.path, ".itm")) {
        ChunkMap map;
        if (!LoadChunkSet(e.bytes.data(), e.bytes.size(), 0, map, why)) __builtin_trap();
      }
    }
    ProjectTables tables;
    add_project_files(names, tree, tables);
  } else if (error.empty()) {
    __builtin_trap();
  }
  image->restore();
  return 0;
}
