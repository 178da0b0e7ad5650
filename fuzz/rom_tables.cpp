// Fuzzes the readers of the Genesis ROM import (every table, pointer and block of a level,
// without the display bitmaps, so it runs many times faster than rom_import) on damaged
// copies of the sample game's image; the input format is in sample_patches.h.
#include <cstdio>
#include <cstdlib>

#include "files/pp20.h"
#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "sample_rom_regions.h"

namespace {
SamplePatches* image = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pp20_set_trace(nullptr);
  image = &sample_rom_patches("rom_tables");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const RomImage& rom = image->apply(data, size);
  LevelModel model;
  std::string error;
  if (read_level(rom, data[0], model, error)) {
    // Everything the bitmap builders and the screens index is as large as they expect.
    if (model.markers.size() != MARKER_COUNT || model.block_types.size() != BLOCK_TYPE_COUNT ||
        model.level_blockmap.count != LEVEL_BLOCKMAP_COUNT || model.common_blockmap.count != COMMON_BLOCK_COUNT ||
        model.pickup_patterns.count != 4 * PICKUP_TYPE_COUNT || model.moon_patterns.count != 4 ||
        model.chunkmap.chunks.size() > CHUNK_SLOTS ||
        model.front_layout.rows.size() != (model.front_layout.height >> 4) + 1u ||
        model.back_layout.rows.size() != (model.back_layout.height >> 4) + 1u)
      __builtin_trap();
    for (const Chunk& c : model.chunkmap.chunks)
      if (c.width > 16 || c.height > 16) __builtin_trap();
    for (const Marker& m : model.markers)
      if (m.name.size() > 24) __builtin_trap();
  } else if (error.empty()) {
    __builtin_trap();
  }
  image->restore();
  return 0;
}
