// PP20 packed blocks: the game's packed-data container and its LZ bit stream.
//
// A block of S bytes: S (big-endian 32 bits), the efficiency table (four offset widths),
// the bit stream, then U (the unpacked length, 24 bits) and K (the number of unused bits at
// the reading end of the stream). The stream is read from its end, and the data is produced
// from its last byte towards its first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct raw_data {
  uint32_t size = 0;
  std::vector<uint8_t> buffer;
};

// Largest U a block can carry (24 bits).
constexpr uint32_t pp20_max_unpacked_size = 0xFFFFFF;

// Decodes the block starting at source[start]; source_size is the bytes available in source.
// Returns bytes written (U), 0 for U == 0, -1 for any bad stream (a copy or literal that would
// leave the destination or read from bytes not yet written, a stream that runs out, a block
// larger than the bytes available). destination_size must be >= U (else -1).
int32_t pp20_decrunch(const uint8_t* source, size_t source_size, uint8_t* destination,
                      size_t destination_size, size_t start = 0);

// Reads and decodes the block at offset of an in-memory file image / of an open file.
// false (and *error = a short reason) on any problem; out untouched then.
bool pp20_load(const uint8_t* file, size_t file_size, size_t offset, raw_data& out,
               std::string* error = nullptr);
bool pp20_load(FILE* file, long offset, raw_data& out, std::string* error = nullptr);

// The log of pp20_load: its two trace lines per block ("pp20_size = ...", "raw_data.size =
// ...") go to this stream; nullptr = silent. Stdout until set (the batch commands and the
// tests set it).
void pp20_set_trace(FILE* trace);
FILE* pp20_trace_stream();

// U of the block at source[start], or -1 when the header/trailer cannot be read.
int64_t pp20_unpacked_size(const uint8_t* source, size_t source_size, size_t start = 0);

// Packs length bytes of source+start into destination (capacity given); returns S, or -1 if
// it does not fit (or length is negative or above pp20_max_unpacked_size).
int32_t CrunchLocation(const uint8_t* source, uint8_t* destination, size_t destination_capacity,
                       int32_t length, int32_t start = 0);

// The packed block of data; empty only when size is above pp20_max_unpacked_size.
std::vector<uint8_t> pp20_pack(const uint8_t* data, size_t size);

// Size of the block of size literal bytes; no block CrunchLocation writes is larger.
size_t pp20_max_packed_size(size_t size);
