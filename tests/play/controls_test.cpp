// The control table the shell binds by name.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "play/controls.h"

namespace sudoku {
namespace {

TEST(ControlsTest, EveryControlIsListedOnceAndFoundByName) {
  Controls controls;
  std::set<std::string> names;
  for (const NamedControl& entry : controls.All()) {
    EXPECT_TRUE(names.insert(std::string(entry.name)).second) << entry.name;
    const ControlRef* found = controls.Find(entry.name);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->index(), entry.control.index());
  }
  EXPECT_EQ(controls.Find("NoSuchControl"), nullptr);
  ASSERT_NE(controls.Find("Undo1"), nullptr);
  EXPECT_EQ(std::get<MenuItem*>(*controls.Find("Undo1")), &controls.Undo1);
  EXPECT_EQ(std::get<BoardGrid*>(*controls.Find("sudokugrid")), &controls.sudokugrid);
}

}  // namespace
}  // namespace sudoku
