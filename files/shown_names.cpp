#include "files/shown_names.h"

#include <cctype>
#include <filesystem>
#include <system_error>

std::string shown_file_name(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path p = fs::path(path).lexically_normal();
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  if (p.is_absolute() && !ec) {
    const fs::path below = p.lexically_relative(here);
    if (!below.empty() && *below.begin() != "..") p = below;
  }
  std::string text = p.generic_string();
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string joined_names(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}
