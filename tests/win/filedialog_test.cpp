#include <gtest/gtest.h>

#include <stdexcept>

#include "win/filedialog.h"

// The settings file keeps the dialogs' folders and filters in the order of
// their ids, whatever the order they were registered in.
TEST(FileDialogs, KeepOneDialogAnIdInTheOrderOfTheIds) {
  TFileDialog open(TFileDialog::fdOpen, "Open", "All|*.*");
  TFileDialog save(TFileDialog::fdSave, "Save", "All|*.*");
  TFileDialogs dialogs;
  dialogs.Register(1, save);
  dialogs.Register(0, open);
  dialogs.Register(1, open); // taken: ignored
  ASSERT_EQ(dialogs.Count(), 2);
  EXPECT_EQ(&dialogs.Get(0), &open);
  EXPECT_EQ(&dialogs.Get(1), &save);
  EXPECT_EQ(dialogs.FindDialog(1), &save);
  EXPECT_EQ(dialogs.FindDialog(2), nullptr);
  EXPECT_THROW(dialogs.Get(2), std::out_of_range);
}
