// Writes the sample game's master files: samplegame OUT writes OUT/genesis/glb.bin.
//   samplegame --layout          prints where everything lies in the Genesis image
//   samplegame --preview MAP PNG draws map MAP (hex) as the game data describes it
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "files/atomic_file.h"
#include "tools/samplegame/genesis_image.h"
#include "tools/samplegame/preview.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: samplegame OUT | samplegame --layout | samplegame --preview MAP FILE.png\n");
  return 2;
}

int write_master(const std::string& out_dir) {
  const sample::GameContent game = sample::build_sample_game();
  const sample::RomImage rom = sample::make_genesis_image(game);
  const std::filesystem::path dir = std::filesystem::path(out_dir) / "genesis";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::string error;
  const std::string path = (dir / "glb.bin").string();
  if (!write_file_atomic(path, rom.bytes(), &error)) {
    std::fprintf(stderr, "ERROR: Could not write \"%s\": %s\n", path.c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && std::string(argv[1]) == "--layout") {
      const sample::GameContent game = sample::build_sample_game();
      const sample::RomImage rom = sample::make_genesis_image(game);
      std::printf("%s\n%s\n%s", sample::theme_listing(game).c_str(), sample::map_listing(game).c_str(),
                  sample::genesis_listing(rom).c_str());
      return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--preview") {
      const int map = static_cast<int>(std::strtol(argv[2], nullptr, 16));
      return sample::write_preview(sample::build_sample_game(), map, argv[3]) ? 0 : 1;
    }
    if (argc == 2 && argv[1][0] != '-') return write_master(argv[1]);
    return usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ERROR: sample game: %s\n", e.what());
    return 1;
  }
}
