#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "scene/commands.h"
#include "scene/document.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "scene/table_file.h"
#include "tests/support/scene_reset.h"

// The table as a document: the caption, "Save changes?" before anything that
// would lose an edit, and saves that never destroy the file they replace.

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

TEST(DocumentTest, AsksToSaveOnlyAChangedTableAndNeverLosesTheSavedFile) {
  testing_support::ResetScene();
  init();
  const std::string path = ::testing::TempDir() + "document_test.pinball";
  std::remove(path.c_str());

  MenuCommand(IDM_QUIT);  // the untouched default scene asks nothing
  EXPECT_EQ(stub::SaveChangesAsked(), 0);
  EXPECT_EQ(stub::QuitCount(), 1);

  stub::QueueSavePath(path);
  MenuCommand(IDM_SAVE);  // no file yet: asks where, as Save As... does
  EXPECT_EQ(stub::Caption(), "document_test - Pinball Simulation");
  const std::string saved = Contents(path);
  EXPECT_EQ(saved, WriteTable());

  MenuCommand(IDM_EDIT);
  MenuCommand(IDM_CIRCLE);
  LeftClick(300, 200);
  LeftClick(310, 200);
  EXPECT_EQ(stub::Caption(), "*document_test - Pinball Simulation");
  MenuCommand(IDM_UNDO);  // back to the saved state
  EXPECT_EQ(stub::Caption(), "document_test - Pinball Simulation");
  MenuCommand(IDM_REDO);
  KeyDown(kKeyA);
  KeyDown(kKeyA);  // the drawing mode back as saved: the circle alone is the change
  EXPECT_TRUE(TableChanged());

  stub::QueueSaveChangesAnswer(SaveChangesAnswer::cancel);
  MenuCommand(IDM_QUIT);
  EXPECT_EQ(stub::QuitCount(), 1);

  stub::FailWrites(true);  // a full disk: the box says so, nothing is lost
  stub::QueueSaveChangesAnswer(SaveChangesAnswer::yes);
  MenuCommand(IDM_QUIT);
  EXPECT_EQ(stub::QuitCount(), 1);
  ASSERT_FALSE(stub::MessageBoxes().empty());
  EXPECT_EQ(stub::MessageBoxes().back().text.rfind("Cannot save document_test: ", 0), 0u);
  EXPECT_TRUE(stub::MessageBoxes().back().error);
  EXPECT_EQ(Contents(path), saved);
  EXPECT_TRUE(TableChanged());
  EXPECT_EQ(stub::Caption(), "*document_test - Pinball Simulation");
  stub::FailWrites(false);

  // Open over a changed table: Yes saves it first, then the chosen file opens.
  stub::QueueSaveChangesAnswer(SaveChangesAnswer::yes);
  stub::QueueOpenPath(path);
  const std::string withCircle = WriteTable();
  MenuCommand(IDM_OPEN);
  EXPECT_EQ(Contents(path), withCircle);
  EXPECT_EQ(WriteTable(), withCircle);
  EXPECT_FALSE(TableChanged());
  MenuCommand(IDM_UNDO);  // an Open is undone like any change
  EXPECT_EQ(WriteTable(), withCircle);
  EXPECT_TRUE(TableChanged());  // the version before the Open, not the one saved
  stub::QueueSaveChangesAnswer(SaveChangesAnswer::no);
  MenuCommand(IDM_QUIT);
  EXPECT_EQ(stub::QuitCount(), 2);
  std::remove(path.c_str());
  testing_support::ResetScene();
}

}  // namespace
