// pp20_load: a packed block at a file offset, checked against the file and decoded whole.
#include "files/pp20.h"
#include "files/pp20_format.h"

namespace {

FILE* trace_stream = stdout;

bool fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

void trace(const char* format, uint32_t value) {
  if (trace_stream) std::fprintf(trace_stream, format, static_cast<unsigned>(value));
}

// S must cover header and trailer and lie within the available bytes.
bool check_block_size(uint32_t s, uint64_t available, std::string* error) {
  if (s < pp20_min_block_size)
    return fail(error, "packed block size " + std::to_string(s) + " is smaller than 12 bytes");
  if (s > available) return fail(error, "packed block runs past the end of the file");
  return true;
}

// Decodes the whole block of s bytes (already checked) into out.
bool decode_block(const uint8_t* block, uint32_t s, raw_data& out, std::string* error) {
  const uint32_t u = pp20_read_be32(block + s - 4) >> 8;
  trace("raw_data.size = 0x%X\n", u);
  // Each stream bit yields at most 7/3 bytes (a length group of 3 bits adds 7), so a larger U
  // cannot come from this block; refuse it before allocating.
  if (uint64_t(u) * 3 > (uint64_t(s) - pp20_min_block_size) * 8 * 7)
    return fail(error, "unpacked size " + std::to_string(u) + " is implausible for a packed block of " +
                           std::to_string(s) + " bytes");
  std::vector<uint8_t> buffer(u);
  if (pp20_decrunch(block, s, buffer.data(), buffer.size()) != static_cast<int32_t>(u))
    return fail(error, "packed data is corrupt");
  out.size = u;
  out.buffer.swap(buffer);
  return true;
}

// The bytes from offset to the end of a file of file_size do not even hold a block's size.
bool too_short(uint64_t file_size, uint64_t offset, std::string* error) {
  if (offset > file_size) return fail(error, "packed block starts past the end of the file");
  const uint64_t n = file_size - offset;
  return fail(error, "too short to be a packed block (" + std::to_string(n) + (n == 1 ? " byte" : " bytes") +
                         " from offset " + std::to_string(offset) + ")");
}

}  // namespace

void pp20_set_trace(FILE* trace) { trace_stream = trace; }
FILE* pp20_trace_stream() { return trace_stream; }

bool pp20_load(const uint8_t* file, size_t file_size, size_t offset, raw_data& out, std::string* error) {
  if (!file) return fail(error, "packed block starts past the end of the file");
  if (offset > file_size || file_size - offset < 4) return too_short(file_size, offset, error);
  const uint8_t* block = file + offset;
  const uint32_t s = pp20_read_be32(block);
  trace("pp20_size = 0x%X\n", s);
  if (!check_block_size(s, file_size - offset, error)) return false;
  return decode_block(block, s, out, error);
}

bool pp20_load(FILE* file, long offset, raw_data& out, std::string* error) {
  if (!file || offset < 0) return fail(error, "cannot read the file");
  if (std::fseek(file, 0, SEEK_END) != 0) return fail(error, "cannot read the file");
  const long file_size = std::ftell(file);
  if (file_size < 0) return fail(error, "cannot read the file");
  uint8_t header[4];
  if (offset > file_size || file_size - offset < 4)
    return too_short(static_cast<uint64_t>(file_size), static_cast<uint64_t>(offset), error);
  if (std::fseek(file, offset, SEEK_SET) != 0 || std::fread(header, 1, 4, file) != 4)
    return fail(error, "cannot read the file");
  const uint32_t s = pp20_read_be32(header);
  trace("pp20_size = 0x%X\n", s);
  if (!check_block_size(s, uint64_t(file_size - offset), error)) return false;
  std::vector<uint8_t> block(s);
  if (std::fseek(file, offset, SEEK_SET) != 0 || std::fread(block.data(), 1, s, file) != s)
    return fail(error, "cannot read the packed block");
  return decode_block(block.data(), s, out, error);
}
