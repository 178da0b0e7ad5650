#include "files/installed_data.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string data_dir_of(const std::string& exe_path) {
  return (fs::path(exe_path).parent_path() / ".." / "share" / "mossforge").lexically_normal().string();
}

std::string installed_data_dir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : data_dir_of(exe.string());
}

std::string find_data_file(const std::string& name, const std::string& data_dir) {
  std::error_code ec;
  if (fs::exists(name, ec) || data_dir.empty()) return name;
  const fs::path installed = fs::path(data_dir) / name;
  return fs::exists(installed, ec) ? installed.string() : name;
}

bool init_workspace(const std::string& dir, const std::string& sample_master, Problem* problem) {
  using K = Problem::Kind;
  std::error_code ec;
  if (sample_master.empty() || !fs::is_directory(sample_master, ec)) {
    *problem = Problem(K::NoSampleGame, sample_master);
    return false;
  }
  const fs::path master = fs::path(dir) / "master";
  // symlink_status: a dangling link named master is in the way too. A folder that cannot be
  // looked into (none) is reported with the system's reason.
  const fs::file_type there = fs::symlink_status(master, ec).type();
  if (there == fs::file_type::none) {
    *problem = Problem(K::CannotWrite, master.string(), "", ec.message());
    return false;
  }
  if (there != fs::file_type::not_found) {
    *problem = Problem(K::HoldsMasterFolder, dir);
    return false;
  }
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir)) {
    *problem = Problem(K::CreateDirectory, dir, "", ec ? ec.message() : "it is not a folder");
    return false;
  }
  fs::copy(sample_master, master, fs::copy_options::recursive, ec);
  if (ec) {
    *problem = Problem(K::CannotWrite, master.string(), "", ec.message());
    std::error_code ignored;
    fs::remove_all(master, ignored);
    return false;
  }
  return true;
}
