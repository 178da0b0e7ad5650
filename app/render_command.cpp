#include "app/render_command.h"

#include <allegro.h>
#include <loadpng.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/level_commands.h"
#include "files/pp20.h"
#include "gamedata/rom_import.h"
#include "leveledit/plane_image.h"
#include "ui/messages.h"

namespace {

int usage() {
  report_error("ERROR: Usage: mossforge render MAP OUT.png [--zoom Z]");
  return 1;
}

bool parse_zoom(const char* text, int& zoom) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (!*text || *end || v < -12 || v > 48) return false;
  zoom = static_cast<int>(v);
  return true;
}

}  // namespace

int run_render_command(int argc, char** argv) {
  if (argc != 3 && argc != 5) return usage();
  int zoom = 0;
  if (argc == 5) {
    if (std::strcmp(argv[3], "--zoom") != 0) return usage();
    if (!parse_zoom(argv[4], zoom)) {
      report_error(format_text("ERROR: Zoom \"%s\" must be a whole number from -12 to 48.", argv[4]));
      return 1;
    }
  }
  const std::string answer = argv[1];
  const MapNumber n = parse_map_number(answer);
  if (n.bad || answer.empty() || answer.size() > 2) {
    report_error(MAP_NUMBER_ERROR);
    return 1;
  }
  // Standard output carries the closing message alone, without the decoder's trace lines.
  pp20_set_trace(nullptr);
  if (level_import_map(n.map) != 0) return 1;
  std::string error;
  BitmapPtr image = render_plane_image(zoom, error);
  if (!image) {
    report_error("ERROR: " + error + ".");
    return 1;
  }
  // Through a temporary file, so a failed write leaves an existing picture as it was.
  const std::string out = argv[2], temporary = out + ".tmp";
  if (save_png(temporary.c_str(), image.get(), nullptr) != 0 || std::rename(temporary.c_str(), out.c_str()) != 0) {
    std::remove(temporary.c_str());
    report_error(format_text("ERROR: Cannot write \"%s\".", argv[2]));
    return 1;
  }
  return 0;
}
