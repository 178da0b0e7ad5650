// Readable texts for the block-object table: kind names and effect descriptions.
#pragma once
#include <cstdint>
#include <string>

constexpr int BLOCK_KIND_COUNT = 17;  // kinds 0..16; 4 and 5 share a name and an icon

// The kind name, right-aligned to 14 characters; null for kinds outside 0..16.
const char* block_kind_name(int kind);

// Index into the effect-name table: 0x08 -> 1, 0xF0..0xFF -> 2..17, anything else 0.
int effect_name_index(uint8_t effect);
// The effect of a block-type entry written as text ("POPUP COIN", "1 STARS", ...).
std::string describe_effect(uint8_t effect, uint8_t attribute);
// The texts of the two debug message boxes for an effect.
std::string effect_values_text(uint8_t effect, uint8_t attribute);
const char* effect_case_name(uint8_t effect);
