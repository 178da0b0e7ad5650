// The Genesis header fields that depend on the whole image: the checksum and the ROM end
// address. A game build rewrites both, so the header describes what was written.
#pragma once
#include <cstddef>
#include <cstdint>

// The sum, modulo 65536, of the big-endian 16-bit words from 0x200 to the end of the image;
// an odd last byte counts as the high byte of a word. 0 for an image of 0x200 bytes or less.
uint16_t genesis_checksum(const uint8_t* image, size_t size);
// Writes the checksum at 0x18E and size - 1 at 0x1A4 (both big-endian); no other byte
// changes. The image must hold more than the header (0x200 bytes).
void fix_genesis_header(uint8_t* image, size_t size);
