// BPS patches, the patch format modders share changed ROM images in: "BPS1", the source,
// target and metadata sizes, actions that copy from the source or the target written so far
// or carry new bytes, then the CRC-32 of the source, of the target and of the patch.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/problem.h"

// The largest source and target the patch commands take (a Genesis image is at most 4 MiB);
// a patch that promises more is refused before anything is allocated.
constexpr size_t BPS_FILE_LIMIT = 64u << 20;

// The patch that turns source into target. Unchanged stretches become SourceRead actions,
// data found elsewhere in the source SourceCopy, repeats of what is already written
// (runs included) TargetCopy, and only the rest is carried as literal bytes.
std::vector<uint8_t> bps_create(const uint8_t* source, size_t source_size, const uint8_t* target,
                                size_t target_size);

// Why a patch was refused: the patch itself is damaged or malformed, or it was made from
// another source (sizes or CRC differ).
enum class BpsRefusal { None, BadPatch, WrongSource };

// Applies patch to source: true with the target in out, or the refusal with its reason in
// why (out is then empty). Every size, offset and CRC is checked before the target is
// trusted: the patch's own CRC, the source's size and CRC, every action against the sizes
// given, the target's size and CRC.
BpsRefusal bps_apply(const uint8_t* source, size_t source_size, const uint8_t* patch, size_t patch_size,
                     std::vector<uint8_t>& out, std::string& why);

// The bps-create and bps-apply commands on files; out_path is written through a temporary
// file and a rename, and is not created at all when anything fails. False with the problem.
bool create_patch_file(const std::string& source_path, const std::string& target_path, const std::string& out_path,
                       Problem& problem, size_t* patch_size = nullptr);
bool apply_patch_file(const std::string& source_path, const std::string& patch_path, const std::string& out_path,
                      Problem& problem);

// The patch written beside a built image: "<name>.bps" for "<name>.bin".
std::string patch_path_for(const std::string& image_path);
