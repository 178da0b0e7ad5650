// CRC-32 (the zlib / PNG / BPS polynomial) of a byte range, from zlib.
#pragma once
#include <cstddef>
#include <cstdint>

uint32_t crc32_of(const uint8_t* data, size_t size);
