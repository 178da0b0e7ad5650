#include "gamedata/level_model.h"

const char* const pickup_type_names[TYPE_NAME_COUNT] = {
    "COIN", "TROPHY", "CROWN", "TV", "HEART", "STAR", "CHEESE", "TEETH", "TNT", "FRUIT GUN", "JETPACK", "UMBRELLA",
    "...", "SPRINGS", "WEIGHT", "HARD HAT", "BOMB", "POISON", "GUM", "MORDUCK MARKER", "MICRO-MAP", "APPLE",
    "STRAWBERRY", "ORANGE", "LEMON", "CUPCAKE", "ROCK", "INVINCIBILITY", "BOOT", "MOON", "BLUE ROCK WITH EYES",
    "HELECOPTER", "BALLOON", "...", "JETPACK FUEL", "ANGEL FISH MARKER", "X RAY SPECS", "RED TEACUP",
    "ORANGE TEACUP", "PURPLE TEACUP", "BLUE TEACUP", "BLUE KEY", "ORANGE KEY", "JAWS ID CARD",
    "LOST MOON TREASURE 1", "LOST MOON TREASURE 2", "LOST MOON TREASURE 3", "LOST MOON TREASURE 4,",
    "LOST MOON TREASURE 5", "LOST MOON TREASURE 6", "LOST MOON TREASURE 7", "SATELLITE CONTROL UNIT", "...", "...",
    "...", "...", "MORDUCK MARKER 838", "SURVEILLANCE BEACON",
    // Marker types SECRET (0xFE), SECRET_FORK (0xFF), NORMAL (0), TUNNEL (1).
    "     SECRET", "SECRET_FORK", "     NORMAL", "     TUNNEL"};

const char* pickup_type_name(int type) {
  return type >= 0 && type < PICKUP_TYPE_COUNT ? pickup_type_names[type] : nullptr;
}

const char* marker_type_name(uint8_t type) { return pickup_type_names[PICKUP_TYPE_COUNT + ((type + 2) & 3)]; }
