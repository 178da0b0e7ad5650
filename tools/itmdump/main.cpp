// itmdump FILE.itm: decodes a chunk-set block (packed or plain) and prints one line per
// chunk: its number, width, height and the 256 cell words in hexadecimal. The end-to-end
// tests compare two dumps to see exactly which cells a save changed.
#include <cstdio>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/chunk_set_block.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: itmdump FILE.itm\n");
    return 2;
  }
  std::vector<uint8_t> bytes;
  if (!read_whole_file(argv[1], bytes)) {
    std::fprintf(stderr, "ERROR: File \"%s\" not found.\n", argv[1]);
    return 1;
  }
  ChunkMap map;
  std::string error;
  if (!LoadChunkSet(bytes.data(), bytes.size(), 0, map, error)) {
    std::fprintf(stderr, "ERROR: File \"%s\": %s.\n", argv[1], error.c_str());
    return 1;
  }
  for (int i = 0; i < map.count(); ++i) {
    const Chunk& c = map.chunks[i];
    std::printf("%d %d %d", i, c.width, c.height);
    for (uint16_t w : c.cells) std::printf(" %04X", w);
    std::printf("\n");
  }
  return 0;
}
