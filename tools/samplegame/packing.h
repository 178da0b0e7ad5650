// Packs data into a PP20 packed block as the game stores it.
#pragma once
#include <cstdint>
#include <vector>

namespace sample {

std::vector<uint8_t> pack_block(const std::vector<uint8_t>& data);

}  // namespace sample
