// Starting an emulator on a built image: the command line from the user's setting, the
// program found on the PATH, and a start that does not wait for the emulator to end.
#pragma once
#include <string>
#include <vector>

// The words of a command line as a shell splits them (blanks separate; '...' and "..."
// quote, a backslash escapes the next character), with {rom} in any word replaced by rom,
// or rom appended as the last word when no word holds {rom}. False with the reason for an
// unclosed quote or a line without words.
bool emulator_arguments(const std::string& command_line, const std::string& rom, std::vector<std::string>& words,
                        std::string& why);

// The executable that running `program` would start: the name itself when it holds a '/',
// else the first match in the PATH directories. Empty when there is none.
std::string find_program(const std::string& program);

// Starts words[0] (a path, as find_program gives it) with the other words as arguments, its
// standard input from /dev/null and the working directory unchanged, in a session of its own,
// and returns without waiting for it to end. False with the reason when it could not start.
bool start_detached(const std::vector<std::string>& words, std::string& why);
