// Fuzzes the whole Genesis ROM import, display bitmaps included, on damaged copies of the
// sample game's image (the input format is in sample_patches.h). What the import accepts
// must be a complete level; what it refuses must come with a reason.
#include <cstdio>
#include <cstdlib>

#include "files/pp20.h"
#include "gamedata/level_state.h"
#include "gamedata/rom_import.h"
#include "sample_rom_regions.h"
#include "ui/messages.h"

namespace {
SamplePatches* image = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pp20_set_trace(nullptr);
  if (!init_headless_graphics()) {
    std::fprintf(stderr, "rom_import: Allegro could not start without a display\n");
    std::abort();
  }
  image = &sample_rom_patches("rom_import");
  set_message_sink(MessageSink::Capture);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const RomImage& rom = image->apply(data, size);
  const uint8_t map = data[0];
  LevelModel model;
  LevelBitmaps bitmaps;
  std::string error;
  if (import_level(rom, map, model, bitmaps, error, "")) {
    if (model.markers.size() != MARKER_COUNT || model.block_types.size() != BLOCK_TYPE_COUNT) __builtin_trap();
    if (bitmaps.chunk_thumbnail_count != model.chunkmap.count()) __builtin_trap();
    closing_message(map, model);
  } else if (error.empty()) {
    __builtin_trap();
  }
  image->restore();
  captured_messages().clear();
  return 0;
}
