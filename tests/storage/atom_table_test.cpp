// The atom table: texts left by one process are found by another, names ignore case.
#include "storage/atoms/atom_table.h"

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string Result(const char* name) {
  const std::intptr_t address = GetResult(name);
  return address == -1 ? "<none>" : reinterpret_cast<const char*>(address);
}

TEST(AtomTable, TextsSavedByAnotherProcessAreFoundIgnoringCaseCutToNineCharacters) {
  // A segment of its own, removed afterwards.
  const std::string segment = "/sudoku-atoms-test-" + std::to_string(::getpid());
  ::setenv("SUDOKU_ATOM_TABLE", segment.c_str(), 1);
  EXPECT_EQ(Result("Esito"), "<none>");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(SaveResult("Esito") == -1 ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Result("ESITO"), "Esito");  // the first spelling is the one kept

  EXPECT_EQ(SaveResult("vittoria-1234567"), -1);
  EXPECT_EQ(Result("VITTORIA-1234567"), "vittoria-");
  EXPECT_EQ(Result("vittoria"), "<none>");
  EXPECT_EQ(SaveResult("\xC8x"), -1);  // Latin-1 letters fold too
  EXPECT_EQ(Result("\xE8X"), "\xC8x");

  const std::string longest(255, 'n');
  EXPECT_EQ(SaveResult(longest.c_str()), -1);
  EXPECT_EQ(Result(longest.c_str()), "nnnnnnnnn");
  const std::string tooLong(256, 'n');
  EXPECT_EQ(SaveResult(tooLong.c_str()), 0);
  EXPECT_EQ(GetResult(tooLong.c_str()), -1);
  EXPECT_EQ(SaveResult(""), 0);
  EXPECT_EQ(SaveResult(nullptr), 0);
  EXPECT_EQ(GetResult(nullptr), -1);
  ::shm_unlink(segment.c_str());
  ::unsetenv("SUDOKU_ATOM_TABLE");
}

}  // namespace
