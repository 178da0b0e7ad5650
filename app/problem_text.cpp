#include "app/problem_text.h"

#include "files/format_text.h"

namespace {

// These texts were always made in a 600-byte buffer: a path long enough is cut there.
std::string bounded(std::string text) {
  if (text.size() > 599) text.resize(599);
  return text;
}

}  // namespace

std::string problem_text(const Problem& p) {
  using K = Problem::Kind;
  const char* path = p.path.c_str();
  const char* other = p.other.c_str();
  const char* detail = p.detail.c_str();
  const unsigned long long limit = p.limit;
  switch (p.kind) {
    case K::NotFound:
      return format_text("ERROR: File \"%s\" not found.", path);
    case K::IsDirectory:
      return format_text("ERROR: File \"%s\" is a directory.", path);
    case K::NotRegularFile:
      return format_text("ERROR: File \"%s\" is not a regular file.", path);
    case K::TooLarge:
      return format_text("ERROR: File \"%s\" is too large (more than %llu bytes).", path, limit);
    case K::Unreadable:
      return format_text("ERROR: File \"%s\" cannot be read: %s.", path, detail);
    case K::Empty:
      return format_text("ERROR: File \"%s\" is empty.", path);
    case K::NotText:
      return format_text("ERROR: File \"%s\" is not a text file (a zero byte at 0x%llX).", path,
                         static_cast<unsigned long long>(p.number));
    case K::LineTooLong:
      if (p.path.empty())
        return bounded(format_text("ERROR: Line %lld is too long. Must not exceed 127 characters.", p.number));
      return bounded(
          format_text("ERROR: Line %lld of \"%s\" is too long. Must not exceed 127 characters.", p.number, path));
    case K::KeyTooLong:
      return bounded(
          format_text("ERROR: Key on line %lld of \"%s\" is too long. Must not exceed 31 characters.", p.number, path));
    case K::ValueTooLong:
      return bounded(format_text("ERROR: Value on line %lld of \"%s\" is too long. Must not exceed 31 characters.",
                                 p.number, path));
    case K::UnknownVersion:
      return format_text("ERROR: Unknown project version %lld in \"%s\"", p.number, path);
    case K::NotAProject:
      return format_text("ERROR: File \"%s\" is not a project file (line %lld: \"%s\").", path, p.number, detail);
    case K::Contents:
      return format_text("ERROR: File \"%s\": %s.", path, detail);
    case K::NotPacked:
      return format_text("ERROR: File \"%s\" is not a packed block.", path);
    case K::UnpacksTooLarge:
      return format_text("ERROR: File \"%s\" unpacks to %lld bytes, more than %llu.", path, p.number, limit);
    case K::DoesNotDecode:
      return format_text("ERROR: File \"%s\": the packed block does not decode.", path);
    case K::BadGameName:
      return format_text("ERROR: The file name \"%s\" of \"%s\" must have 1 to %llu characters.", detail, path, limit);
    case K::GameProgramName:
      return format_text("ERROR: \"%s\" cannot go into the game as %s: that is the game program.", path, detail);
    case K::NameClash:
      return format_text(
          "ERROR: \"%s\" and \"%s\" are different files that would get one name in the game folder (the Amiga "
          "ignores case).",
          other, path);
    case K::NamesDoNotFit:
      return format_text("ERROR: The file names do not fit into the CODE data (%llu bytes).", limit);
    case K::CodeTooBig:
      return format_text("ERROR: The packed CODE takes %lld bytes, more than %llu.", p.number, limit);
    case K::DoesNotFitImage:
      return format_text("ERROR: \"%s\" does not fit into the 4 MiB image.", path);
    case K::NoProjectFile:
      return "ERROR: No project file is loaded; the game directory is named after it.";
    case K::OverwritesInput:
      return format_text("ERROR: Cannot write \"%s\": it is %s \"%s\".", path, detail, other);
    case K::FolderIsInput:
      return format_text("ERROR: Cannot replace the game folder \"%s\": it is %s \"%s\".", path, detail, other);
    case K::FolderHoldsInput:
      return format_text("ERROR: Cannot replace the game folder \"%s\": it holds %s \"%s\".", path, detail, other);
    case K::FolderIsFile:
      return format_text("ERROR: Cannot replace the game folder \"%s\": it is a file, not a folder.", path);
    case K::CreateDirectory:
      if (p.detail.empty()) return format_text("ERROR: Could not create directory \"%s\"", path);
      return format_text("ERROR: Could not create directory \"%s\" (%s)", path, detail);
    case K::CreateFile:
      return format_text("ERROR: Could not create file \"%s\" (%s)", path, detail);
    case K::ReplaceFolder:
      return format_text("ERROR: Could not replace the folder \"%s\" (%s)", path, detail);
    case K::CannotWrite:
      return format_text("ERROR: Cannot write \"%s\": %s", path, detail);
    case K::WouldReplace:
      return format_text("ERROR: \"%s\" exists with other contents; give --overwrite to replace it.", path);
    case K::WriteProtected:
      return format_text("ERROR: \"%s\" is write-protected.", path);
    case K::UnsupportedSize:
      return bounded(
          format_text("ERROR: Cannot copy the file '%s', because it has an unsupported file size of %llu bytes.", path,
                      static_cast<unsigned long long>(p.number)));
    case K::NothingToPack:
      return format_text("ERROR: File \"%s\" is empty; there is nothing to pack.", path);
    case K::TooLargeToPack:
      return format_text("ERROR: File \"%s\" is larger than a packed block can hold (16 MiB - 1).", path);
    case K::NoSampleGame:
      return format_text("ERROR: The sample game is not installed: no folder \"%s\".", path);
    case K::HoldsMasterFolder:
      return format_text("ERROR: \"%s\" already holds a master folder; init-workspace leaves it as it is.", path);
  }
  return "ERROR: " + p.detail + ".";
}

std::vector<std::string> problem_texts(const ProjectMessages& messages) {
  std::vector<std::string> texts;
  for (const Problem& p : messages.all()) texts.push_back(problem_text(p));
  return texts;
}
