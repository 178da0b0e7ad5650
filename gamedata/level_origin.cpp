#include "gamedata/level_origin.h"

LevelOrigin level_origin;
