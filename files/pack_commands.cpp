#include "files/pack_commands.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "files/atomic_file.h"
#include "files/pp20.h"

namespace {

bool fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

}  // namespace

bool pack_file(const std::string& in_path, const std::string& out_path, std::string* error) {
  std::vector<uint8_t> data;
  if (!read_whole_file(in_path, data)) return fail(error, "File \"" + in_path + "\" not found.");
  if (data.empty()) return fail(error, "File \"" + in_path + "\" is empty; there is nothing to pack.");
  if (data.size() > pp20_max_unpacked_size)
    return fail(error, "File \"" + in_path + "\" is larger than a packed block can hold (16 MiB - 1).");
  const std::vector<uint8_t> block = pp20_pack(data.data(), data.size());
  std::string why;
  if (!write_file_atomic(out_path, block, &why))
    return fail(error, "Cannot write \"" + out_path + "\": " + why);
  return true;
}

bool unpack_file(const std::string& in_path, const std::string& out_path, uint64_t offset,
                 std::string* error) {
  std::vector<uint8_t> file;
  if (!read_whole_file(in_path, file)) return fail(error, "File \"" + in_path + "\" not found.");
  raw_data raw;
  std::string why;
  if (offset > file.size() || !pp20_load(file.data(), file.size(), static_cast<size_t>(offset), raw, &why))
    return fail(error, "File \"" + in_path + "\": " +
                           (why.empty() ? "packed block starts past the end of the file" : why) + ".");
  if (!write_file_atomic(out_path, raw.buffer, &why))
    return fail(error, "Cannot write \"" + out_path + "\": " + why);
  return true;
}

bool parse_file_offset(const std::string& text, uint64_t& offset) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = text.c_str() + (hex ? 2 : 0);
  // strtoull alone would also take signs and leading blanks.
  const unsigned char first = static_cast<unsigned char>(*digits);
  if (!(hex ? std::isxdigit(first) : std::isdigit(first))) return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long v = std::strtoull(digits, &end, hex ? 16 : 10);
  if (errno != 0 || end == digits || *end != '\0') return false;
  offset = v;
  return true;
}
