// What went wrong in a routine of files/, in parts. The routines here only say what and
// where; app/ words it for the user (problem_text, app/problem_text.h).
#pragma once
#include <cstdint>
#include <string>
#include <utility>

struct Problem {
  enum class Kind {
    // Reading a file whole (read_whole_file): path could not be read.
    NotFound,
    IsDirectory,
    NotRegularFile,
    TooLarge,    // limit: the most bytes the reader takes
    Unreadable,  // detail: the system's reason
    // Project texts.
    Empty,
    NotText,         // number: the offset of the first zero byte
    LineTooLong,     // number: the line; path may be empty (a text of no file)
    KeyTooLong,      // number: the line
    ValueTooLong,    // number: the line
    UnknownVersion,  // number: the version the project file gives
    NotAProject,     // number: the first line no project file holds, detail: that line
    // What is wrong inside the file at path; detail: the reader's reason.
    Contents,
    NotPacked,
    UnpacksTooLarge,  // number: the unpacked size, limit: the most allowed
    DoesNotDecode,
    // Game builds.
    BadGameName,      // detail: the name path would get in the game, limit: its longest
    GameProgramName,  // detail: the name path would get in the game
    NameClash,        // other: the file that already has path's name
    NamesDoNotFit,    // limit: the size of the CODE data
    CodeTooBig,       // number: the packed size, limit: the most allowed
    DoesNotFitImage,
    NoProjectFile,
    OverwritesInput,   // writing path would replace the input other; detail: what other is
    FolderIsInput,     // the game folder path is the input other; detail: what other is
    FolderHoldsInput,  // the game folder path holds the input other; detail: what other is
    FolderIsFile,
    // Writing.
    CreateDirectory,  // detail: the system's reason, or empty
    CreateFile,       // detail: the writer's reason
    ReplaceFolder,    // detail: the system's reason
    CannotWrite,      // detail: the writer's reason
    WouldReplace,     // a generation would replace the existing path by other contents
    WriteProtected,   // the user may not write the existing file path
    // Copying game files and packing files.
    UnsupportedSize,  // number: the file's size
    NothingToPack,
    TooLargeToPack,
    // Making a working directory (init_workspace).
    NoSampleGame,       // path: the installed master folder that is missing
    HoldsMasterFolder,  // path: the directory that has one already
  };
  Problem() = default;
  explicit Problem(Kind kind, std::string path = "", std::string other = "", std::string detail = "",
                   long long number = 0, uint64_t limit = 0)
      : kind(kind),
        path(std::move(path)),
        other(std::move(other)),
        detail(std::move(detail)),
        number(number),
        limit(limit) {}

  Kind kind = Kind::NotFound;
  std::string path;    // the file or folder it is about
  std::string other;   // a second file, where the kind names one
  std::string detail;  // a reason, a name or a role, where the kind names one
  long long number = 0;
  uint64_t limit = 0;

  bool operator==(const Problem& o) const {
    return kind == o.kind && path == o.path && other == o.other && detail == o.detail && number == o.number &&
           limit == o.limit;
  }
  bool operator!=(const Problem& o) const { return !(*this == o); }
};
