#include "gamedata/change_flags.h"

uint8_t level_changed_flags = 0;
