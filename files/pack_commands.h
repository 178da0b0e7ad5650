// The pack and unpack batch commands: whole files in and out of PP20 packed blocks.
#pragma once
#include <cstdint>
#include <string>

// Packs the whole file in_path (at least 1 byte) into a packed block written to out_path.
bool pack_file(const std::string& in_path, const std::string& out_path, std::string* error);
// Decodes the packed block at offset of in_path into out_path; out_path is not created when
// the block is bad.
bool unpack_file(const std::string& in_path, const std::string& out_path, uint64_t offset,
                 std::string* error);
// A decimal or 0x-hexadecimal file offset; false on anything else.
bool parse_file_offset(const std::string& text, uint64_t& offset);
