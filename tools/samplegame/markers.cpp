// Names of the 131 world-map markers; marker i names map i + 1.
#include "tools/samplegame/sample_game.h"

namespace sample {

std::vector<std::string> marker_names() {
  std::vector<std::string> names = {
      "GREEN MEADOWS",  "DAISY HILLS",     "BUTTERCUP BRIDGE", "MOSSY BANKS",     "ORCHARD LANE",
      "OLD CASTLE GATE", "TORCHLIGHT HALL", "DUNGEON STEPS",    "THE KINGS TOWER", "FROSTY FIELDS",
      "ICICLE CAVERN",  "SNOWBALL SLOPE",  "GLACIER PEAK",     "POLAR BAY",       "DRY GULCH",
      "CACTUS CANYON",  "OASIS TOWN",      "PYRAMID PLAINS",   "CRATER ROW",      "LUNAR BASE",
      "STARDUST DRIFT", "DARK SIDE",       "MOON KING",
  };
  // The maps beyond the sample's levels get names of places along the road.
  const char* const first[] = {"SUNNY", "MISTY", "WINDY", "ROCKY", "SHADY", "MUDDY", "GOLDEN", "SILVER", "HIDDEN",
                               "CRYSTAL", "THUNDER", "WILLOW", "COPPER"};
  const char* const second[] = {"COVE", "MARSH", "RIDGE", "HOLLOW", "WOODS", "FALLS", "PASS", "CAVES", "DUNES"};
  for (int i = 0; names.size() < 129; ++i) {
    std::string n = std::string(first[i % 13]) + " " + second[(i / 13 + i) % 9];
    if (i >= 13 * 9 / 2) n += " " + std::to_string(i / 13 + 2);
    names.push_back(n);
  }
  names.push_back("THE LONG WAY ROUND AGAIN");         // 129: exactly 24 characters
  names.push_back("THE VERY LAST LEVEL OF THE GAME");  // 130: no terminator within 25 bytes
  return names;
}

}  // namespace sample
