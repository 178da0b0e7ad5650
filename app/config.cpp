#include "app/config.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

#include "files/atomic_file.h"
#include "gamedata/bitmap.h"
#include "ui/frame.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

namespace {

class ByteWriter {
 public:
  void u8(uint8_t v) { out.push_back(v); }
  void u16(uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
  }
  std::vector<uint8_t> out;
};

// Reads little-endian fields; past the end of the bytes every field reads as 0.
class ByteReader {
 public:
  explicit ByteReader(const std::vector<uint8_t>& b) : bytes(b) {}
  uint8_t u8() { return pos < bytes.size() ? bytes[pos++] : (pos++, 0); }
  uint16_t u16() {
    uint16_t lo = u8();
    uint16_t hi = u8();
    return static_cast<uint16_t>(lo | (hi << 8));
  }
  const std::vector<uint8_t>& bytes;
  size_t pos = 0;
};

}  // namespace

std::vector<uint8_t> config_to_bytes() {
  ByteWriter w;
  w.u8(CONFIG_VERSION);
  w.u16(static_cast<uint16_t>(screen_width));
  w.u16(static_cast<uint16_t>(screen_height));
  w.u8(full_screen);
  w.u8(vsync_enabled);
  w.u8(static_cast<uint8_t>(frame_skip));
  w.u8(fps_counter_enabled);
  w.u16(level_undo_size);
  w.u16(meta_undo_size);
  w.u8(level_editor_modes);
  w.u8(meta_editor_modes);
  w.u8(analysis_tool_modes);
  w.u8(key_scroll_up);
  w.u8(key_scroll_down);
  w.u8(key_scroll_left);
  w.u8(key_scroll_right);
  w.u8(background_default);
  w.u8(tips_enabled);
  w.u8(debug_info_flags);
  return w.out;
}

size_t config_size(uint8_t version) { return 20 + version; }

bool config_from_bytes(const std::vector<uint8_t>& bytes, bool* read) {
  ByteReader r(bytes);
  const uint8_t version = r.u8();
  if (version > CONFIG_VERSION) return false;
  if (read) *read = bytes.size() >= config_size(version);
  // A cut-off file would give a 0-wide or 0-high mode and 0 for every setting after it.
  if (bytes.size() < config_size(version)) {
    settings_set_defaults();
    return true;
  }
  screen_width = static_cast<int16_t>(r.u16());
  screen_height = static_cast<int16_t>(r.u16());
  full_screen = r.u8();
  vsync_enabled = r.u8();
  frame_skip = static_cast<int8_t>(r.u8());
  fps_counter_enabled = r.u8();
  level_undo_size = r.u16();
  meta_undo_size = r.u16();
  level_editor_modes = r.u8();
  meta_editor_modes = r.u8();
  analysis_tool_modes = r.u8();
  key_scroll_up = r.u8();
  key_scroll_down = r.u8();
  key_scroll_left = r.u8();
  key_scroll_right = r.u8();
  background_default = version >= 1 ? r.u8() : 0;
  tips_enabled = version >= 2 ? r.u8() : 0;
  debug_info_flags = version >= 3 ? r.u8() : 0;
  // A frame-skip value outside 0..5 would make the frame-skip divisor 0 or negative.
  if (frame_skip < 0 || frame_skip > 5) frame_skip = 0;
  // A scroll key must be a key: a scancode beyond the key array falls back to the arrow key.
  auto key_or = [](uint8_t& k, uint8_t fallback) {
    if (k == 0 || k >= KEY_MAX) k = fallback;
  };
  key_or(key_scroll_up, KEY_UP);
  key_or(key_scroll_down, KEY_DOWN);
  key_or(key_scroll_left, KEY_LEFT);
  key_or(key_scroll_right, KEY_RIGHT);
  return true;
}

static bool try_mode(int card, int w, int h) {
  screen_width = static_cast<int16_t>(w);
  screen_height = static_cast<int16_t>(h);
  return set_gfx_mode(card, w, h, 0, 0) == 0;
}

void config_load() {
  // Without a display (or when the X server refuses the connection) there is no system
  // driver, and every later call would crash: say so and end.
  if (allegro_init() != 0 || !system_driver) {
    std::fprintf(stderr, "ERROR: Cannot start the graphics system: %s\n",
                 allegro_error[0] ? allegro_error : "no display");
    std::exit(1);
  }
  set_window_title("Mossforge");

  bool file_read = false;
  std::vector<uint8_t> bytes;
  // The file is 23 bytes; anything far larger is no configuration and gets the defaults.
  if (read_whole_file(CONFIG_FILE, bytes, nullptr, 4096) && !bytes.empty()) {
    if (!config_from_bytes(bytes, &file_read)) {
      allegro_message("ERROR: Incompatible config file version");
      allegro_exit();
      std::exit(-1);
    }
  } else {
    settings_set_defaults();
  }

  const int depth = desktop_color_depth();
  (void)depth;  // The drawing code assumes 32-bit pixels: always use 32 bits.
  set_color_depth(32);

  const int card = full_screen ? GFX_AUTODETECT : GFX_AUTODETECT_WINDOWED;
  bool ok = try_mode(card, screen_width, screen_height);
  if (!ok && !file_read) ok = try_mode(GFX_AUTODETECT_WINDOWED, 640, 400) || try_mode(GFX_AUTODETECT_WINDOWED, 512, 384);
  if (!ok) {
    allegro_message("%s", allegro_error);
    allegro_exit();
    std::exit(-1);
  }

  install_timer();
  install_keyboard();
  install_mouse();
  mouse_needs_polling = mouse_needs_poll() ? 1 : 0;
}

bool config_write_file(const std::string& path, std::string* error) {
  return write_file_atomic(path, config_to_bytes(), error);
}

void config_save() {
  std::string why;
  if (!config_write_file(CONFIG_FILE, &why))
    report_error(format_text("ERROR: Cannot save \"%s\": %s.", CONFIG_FILE, why.c_str()));
}
