// A picture of one map drawn from the generator's own data (a development aid for looking at
// the art; the editor draws levels from the image itself).
#pragma once
#include <string>

#include "tools/samplegame/sample_game.h"

namespace sample {

bool write_preview(const GameContent& game, int map, const std::string& png_path);

}  // namespace sample
