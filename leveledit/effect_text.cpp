#include "leveledit/effect_text.h"

#include "gamedata/level_state.h"
#include "ui/messages.h"

namespace {

const char* const kind_names[BLOCK_KIND_COUNT - 1] = {
    "       PRIZE A", "    NO PRIZE A", "       PRIZE B", "    NO PRIZE B", "  HIDDEN PRIZE", "          MOON",
    "       NO MOON", "          STAR", "       NO STAR", "   LARGE PRIZE", "NO LARGE PRIZE", "        PURPLE",
    "FLASHING PRIZE", "    SWITCH OFF", "     SWITCH ON", "          ROCK"};

const char* const effect_names[18] = {"NONE",
                                      "POPUP %s",
                                      "NO PRIZE",
                                      "UNKNOWN",
                                      "RANDOM HEALTH PRIZE",
                                      "RANDOM POINTS PRIZE",
                                      "FLASH WHEN HIT",
                                      "%s MOON SPROUT",
                                      "SWITCH A %d",
                                      "SWITCH B",
                                      "SWITCH C",
                                      "SWITCH D",
                                      "UNLIMITED FRUIT GUN",
                                      "%d STAR%s",
                                      "CREATE BRIDGE",
                                      "THROW %d DYNAMITE STICK%s",
                                      "THROW %d MOON%s",
                                      "UNKNOWN"};

const char* const sprout_sizes[5] = {"SMALL", "MEDIUM", "LARGE", "EXTRA LARGE", "RANDOM SIZE"};

// Name of a popup's pickup type; the name table runs on into the four marker type
// names (58..61), and types beyond it are written as hex.
std::string popup_name(uint8_t type) {
  if (type < TYPE_NAME_COUNT) return pickup_type_names[type];
  return format_text("%02X", type);
}

}  // namespace

const char* block_kind_name(int kind) {
  if (kind < 0 || kind >= BLOCK_KIND_COUNT) return nullptr;
  return kind_names[kind <= 4 ? kind : kind - 1];
}

int effect_name_index(uint8_t effect) {
  if (effect == 0x08) return 1;
  if (effect >= 0xF0) return effect - 0xEE;
  return 0;
}

std::string describe_effect(uint8_t effect, uint8_t a) {
  const int index = effect_name_index(effect);
  const char* format = effect_names[index];
  switch (index) {
    case 1:
      return format_text(format, popup_name(a).c_str());
    case 7:
      // Attributes past the four named sizes (20..254) are shown like 255.
      return format_text(format, a == 255 || (a >> 2) > 4 ? "RANDOM SIZE" : sprout_sizes[a >> 2]);
    case 8:
      return format_text(format, a & 15);
    case 13:
      if (a == 0) return format_text(format, 1, "");
      return format_text(format, (a & 1) ? 3 : 1, "S");
    case 15:
    case 16:
      return format_text(format, a, a == 0 ? "" : "S");
    default:
      return format;
  }
}

std::string effect_values_text(uint8_t effect, uint8_t attribute) {
  return format_text("effect = 0x%04X\neffect_attribute = 0x%04X\n\neffect_string_index = 0x%04X", effect, attribute,
                     effect_name_index(effect));
}

const char* effect_case_name(uint8_t effect) {
  switch (effect_name_index(effect)) {
    case 1: return "POPUP";
    case 7: return "MOON SPROUT";
    case 8: return "SWITCH A";
    case 13: return "STARS";
    case 15: return "DYNAMITE STICKS";
    case 16: return "MOONS";
    default: return "default";
  }
}
