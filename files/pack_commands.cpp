#include "files/pack_commands.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "files/atomic_file.h"
#include "files/pp20.h"

namespace {

bool fail(Problem* problem, Problem::Kind kind, const std::string& path, const std::string& detail = "") {
  if (problem) *problem = Problem{kind, path, "", detail};
  return false;
}

bool refuse_write(Problem* problem, const std::string& path, const std::string& why) {
  if (problem) *problem = write_problem(Problem::Kind::CannotWrite, path, why);
  return false;
}

}  // namespace

bool pack_file(const std::string& in_path, const std::string& out_path, Problem* problem) {
  std::vector<uint8_t> data;
  if (!read_whole_file(in_path, data, problem)) return false;
  if (data.empty()) return fail(problem, Problem::Kind::NothingToPack, in_path);
  if (data.size() > pp20_max_unpacked_size) return fail(problem, Problem::Kind::TooLargeToPack, in_path);
  const std::vector<uint8_t> block = pp20_pack(data.data(), data.size());
  std::string why;
  if (!write_file_atomic(out_path, block, &why)) return refuse_write(problem, out_path, why);
  return true;
}

bool unpack_file(const std::string& in_path, const std::string& out_path, uint64_t offset,
                 Problem* problem) {
  std::vector<uint8_t> file;
  if (!read_whole_file(in_path, file, problem)) return false;
  raw_data raw;
  std::string why;
  if (offset > file.size()) why = "packed block starts past the end of the file";
  if (!why.empty() || !pp20_load(file.data(), file.size(), static_cast<size_t>(offset), raw, &why))
    return fail(problem, Problem::Kind::Contents, in_path, why);
  if (!write_file_atomic(out_path, raw.buffer, &why)) return refuse_write(problem, out_path, why);
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
