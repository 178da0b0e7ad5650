// Reading PP20 packed blocks out of a file held in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The game reads a packed block whole into a working buffer of 512 KiB: no packed block of
// its data is larger.
constexpr size_t PACKED_BLOCK_LIMIT = 0x80000;

// True when the four bytes at offset + 4 are the efficiency table 09 0A 0C 0D that marks
// a packed block in the game's data.
bool has_packed_block_mark(const uint8_t* file, size_t file_size, size_t offset);

// Decodes the packed block at offset into out; false (with a reason in error) when the
// block does not lie inside the file, is larger than PACKED_BLOCK_LIMIT, would unpack to
// more than max_unpacked bytes, or does not decode cleanly.
bool unpack_block(const uint8_t* file, size_t file_size, size_t offset, std::vector<uint8_t>& out,
                  std::string& error, size_t max_unpacked = SIZE_MAX);

// Packs bytes into a PP20 packed block (size word, efficiency table, stream, trailer).
std::vector<uint8_t> pack_block(const std::vector<uint8_t>& bytes);
