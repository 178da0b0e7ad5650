// Puts the whole sample game together.
#include <stdexcept>
#include <string>

#include "tools/samplegame/sample_game.h"
#include "tools/samplegame/sprite_art.h"

namespace sample {

void build_common_graphics(GameContent& game) {
  const std::vector<Canvas> blocks = common_block_pictures();
  for (size_t i = 0; i < blocks.size(); ++i) {
    Solid solid = Solid::None;
    if (i == 2 || i == 3 || i == 4 || i == 13 || (i >= 17 && i <= 19) || i == 22) solid = Solid::Solid;
    if (i == 5) solid = Solid::Platform;
    if (i == 8) solid = Solid::Hazard;
    if (i == 20 || i == 21) solid = Solid::Water;
    if (game.common.add(blocks[i], 0, solid) != static_cast<int>(i)) throw std::runtime_error("common blocks repeat");
  }
  game.moon.append(moon_picture());

  const PickupArt pickups = pickup_pictures();
  for (const Canvas& c : pickups.pictures) {
    SpriteSheet s;
    s.append(c);
    game.pickup_graphics.push_back(s);
  }
  game.pickup_graphic_of_type = pickups.picture_of_type;

  for (const Canvas& c : block_icon_pictures()) game.block_icons.append(c);
  for (const Canvas& frame : large_object_frames()) {
    game.large_object.append(frame.crop(0, 0, 32, 32));
    game.large_object.append(frame.crop(0, 32, 32, 8));
  }
  for (const Canvas& c : marker_pictures()) game.marker_icons.append(c);
  if (game.moon.count() != 4 || game.block_icons.count() != 72 || game.large_object.count() != 60 ||
      game.marker_icons.count() != 126 || game.pickup_graphic_of_type.size() != PICKUP_TYPES)
    throw std::runtime_error("game-wide graphics have the wrong pattern counts");
}

GameContent build_sample_game() {
  GameContent game;
  game.palettes = make_palettes();
  build_common_graphics(game);
  for (int t = 0; t < 5; ++t) {
    try {
      game.themes.push_back(build_level_theme(t));
    } catch (const std::exception& e) {
      throw std::runtime_error("theme " + std::to_string(t) + ": " + e.what());
    }
  }
  try {
    build_world_map(game);  // theme 5, layouts 0 and 0x80, markers
  } catch (const std::exception& e) {
    throw std::runtime_error(std::string("world map: ") + e.what());
  }
  build_levels(game);
  game.block_types = make_block_types();
  for (int i = 0; i < LEVEL_COUNT - 1; ++i) game.level_names.push_back(game.markers[i].name);
  // Map numbers past the levels repeat the levels' headers, so any number imports a level.
  while (game.headers.size() < MAP_HEADER_COUNT)
    game.headers.push_back(game.headers[1 + (game.headers.size() - LEVEL_COUNT) % (LEVEL_COUNT - 1)]);
  return game;
}

}  // namespace sample
