#include "files/emulator_launch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

bool emulator_arguments(const std::string& command_line, const std::string& rom, std::vector<std::string>& words,
                        std::string& why) {
  words.clear();
  std::string word;
  bool in_word = false;
  char quote = 0;
  for (size_t i = 0; i < command_line.size(); ++i) {
    const char c = command_line[i];
    if (quote) {
      if (c == quote) {
        quote = 0;
      } else if (quote == '"' && c == '\\' && i + 1 < command_line.size() &&
                 (command_line[i + 1] == '"' || command_line[i + 1] == '\\')) {
        word += command_line[++i];
      } else {
        word += c;
      }
    } else if (c == ' ' || c == '\t' || c == '\n') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      in_word = true;
      if (c == '\'' || c == '"')
        quote = c;
      else if (c == '\\' && i + 1 < command_line.size())
        word += command_line[++i];
      else
        word += c;
    }
  }
  if (quote) {
    why = std::string("its ") + quote + " is not closed";
    return false;
  }
  if (in_word) words.push_back(word);
  if (words.empty()) {
    why = "it names no program";
    return false;
  }
  bool placed = false;
  for (std::string& w : words) {
    for (size_t at = w.find("{rom}"); at != std::string::npos; at = w.find("{rom}", at + rom.size())) {
      w.replace(at, 5, rom);
      placed = true;
    }
  }
  if (!placed) words.push_back(rom);
  return true;
}

namespace {

bool executable_file(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string find_program(const std::string& program) {
  if (program.empty()) return "";
  if (program.find('/') != std::string::npos) return executable_file(program) ? program : "";
  const char* path = std::getenv("PATH");
  const std::string dirs = path ? path : "/usr/bin:/bin";
  for (size_t start = 0;;) {
    const size_t end = dirs.find(':', start);
    const std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
    if (executable_file(candidate)) return candidate;
    if (end == std::string::npos) return "";
    start = end + 1;
  }
}

bool start_detached(const std::vector<std::string>& words, std::string& why) {
  // Everything the child needs is made before the fork: between fork and exec a program with
  // threads may only make system calls.
  std::vector<char*> argv;
  for (const std::string& w : words) argv.push_back(const_cast<char*>(w.c_str()));
  argv.push_back(nullptr);
  int report[2];  // the grandchild writes errno here when exec fails; a successful exec closes it
  if (pipe2(report, O_CLOEXEC) != 0) {
    why = std::strerror(errno);
    return false;
  }
  const pid_t child = fork();
  if (child < 0) {
    why = std::strerror(errno);
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    // The child only starts the emulator's process and ends, so the emulator is nobody's
    // child to wait for and outlives the editor.
    close(report[0]);
    setsid();
    const pid_t emulator = fork();
    if (emulator == 0) {
      const int null = open("/dev/null", O_RDONLY);
      if (null >= 0 && null != 0) {
        dup2(null, 0);
        close(null);
      }
      execv(argv[0], argv.data());
      const int error = errno;
      if (write(report[1], &error, sizeof error) < 0) _exit(127);
      _exit(127);
    }
    if (emulator < 0) {
      const int error = errno;
      if (write(report[1], &error, sizeof error) < 0) _exit(127);
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof error)) {
    why = std::strerror(error);
    return false;
  }
  return true;
}
