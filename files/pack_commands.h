// The pack and unpack batch commands: whole files in and out of PP20 packed blocks.
#pragma once
#include <cstdint>
#include <string>

#include "files/problem.h"

// Packs the whole file in_path (at least 1 byte) into a packed block written to out_path.
// False with the problem (if asked for); an input that cannot be read counts as not found.
bool pack_file(const std::string& in_path, const std::string& out_path, Problem* problem);
// Decodes the packed block at offset of in_path into out_path; out_path is not created when
// the block is bad. Same problems, and Contents for a bad block.
bool unpack_file(const std::string& in_path, const std::string& out_path, uint64_t offset,
                 Problem* problem);
// A decimal or 0x-hexadecimal file offset; false on anything else.
bool parse_file_offset(const std::string& text, uint64_t& offset);
