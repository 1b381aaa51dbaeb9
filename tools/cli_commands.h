// The commands of sudoku-cli. Each takes the arguments after its name and returns the exit
// status: 0 success, 1 bad input (reported on standard error), 2 usage error.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sudoku::cli {

using Args = std::vector<std::string>;

struct Command {
  std::string_view name;
  std::string_view usage;  // one line: the name and its arguments
  std::function<int(const Args&)> run;
};

// Every command the tool knows, in the order the usage text lists them.
const std::vector<Command>& AllCommands();

// The commands, each in its own file.
int RunTema(const Args& args);      // tema_command.cpp
int RunCount(const Args& args);     // count_command.cpp
int RunSteps(const Args& args);     // steps_command.cpp
int RunReduce(const Args& args);    // reduce_command.cpp
int RunGenerate(const Args& args);  // generate_command.cpp
int RunHint(const Args& args);      // hint_command.cpp

// Whether text is a whole number of at least low; value receives it.
bool ParseWhole(const std::string& text, long long low, long long& value);

// Prints the usage text to standard error and returns 2.
int UsageError(std::string_view why);

}  // namespace sudoku::cli
