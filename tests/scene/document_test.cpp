#include "scene/document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "scene/commands.h"
#include "scene/history.h"
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

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The caption the window shows: its own until the program sets one.
std::string Shown() { return stub::Caption().empty() ? "Pinball Simulation" : stub::Caption(); }

// Open, New and a link each start a table of its own: Undo never brings back
// the table before, and Ctrl+S never writes it over the file just opened.
// Reset and Clear stay changes like any other. Each step: what is done, the
// caption after it, whether Undo is offered, how often "Save changes?" was
// asked, and the table the scene must then be (when given).
TEST(DocumentTest, OpenNewAndALinkEachStartATableOfItsOwn) {
  testing_support::ResetScene();
  Start = false;
  init();
  const std::string walls = WriteTable();  // a new table: the border walls alone
  testing_support::ResetScene();
  init();
  ForgetDocument();  // the window as it starts, Undo greyed
  const std::string start = WriteTable();
  const std::string a = ::testing::TempDir() + "document_a.pinball";
  const std::string b = ::testing::TempDir() + "document_b.pinball";
  const std::string bBytes =
      "pinball-table 1\ndrawing filled\nwall 0 0 792 0 #ff0000\nwall 792 0 792 554 #ff0000\n"
      "wall 0 0 0 554 #ff0000\nwall 0 554 792 554 #ff0000\nwall 300 200 300 260 #0000ff\n"
      "wall 380 260 300 260 #0000ff\nwall 300 200 380 200 #0000ff\nwall 380 260 380 200 #0000ff\n"
      "box 300 200 380 260 #0000ff 4\n";
  std::remove(a.c_str());
  Write(b, bBytes);
  std::string aBytes;  // the table saved as a, once it is
  MenuCommand(IDM_EDIT);
  MenuCommand(IDM_BOX);
  const auto box = [] {
    LeftClick(20, 20);
    LeftClick(60, 50);
  };
  const auto answer = [](SaveChangesAnswer reply) { stub::QueueSaveChangesAnswer(reply); };

  struct Step {
    const char* what;
    std::function<void()> act;
    const char* caption;
    bool canUndo;
    int asked;
    const std::string* table;
  };
  const Step steps[] = {
      {"the start", [] {}, "Pinball Simulation", false, 0, &start},
      {"a box on the untitled table", box, "*Untitled - Pinball Simulation", true, 0, nullptr},
      {"Undo back to the start", [] { MenuCommand(IDM_UNDO); }, "Pinball Simulation", false, 0,
       &start},
      {"Redo", [] { MenuCommand(IDM_REDO); }, "*Untitled - Pinball Simulation", true, 0, nullptr},
      {"a failed save keeps the mark",
       [&] {
         stub::FailWrites(true);
         stub::QueueSavePath(a);
         ControlKeyDown('S', false);
         stub::FailWrites(false);
       },
       "*Untitled - Pinball Simulation", true, 0, nullptr},
      {"saved as a",
       [&] {
         stub::QueueSavePath(a);
         MenuCommand(IDM_SAVE);
         aBytes = Contents(a);
       },
       "document_a - Pinball Simulation", true, 0, &aBytes},
      {"New over a saved table asks nothing", [] { MenuCommand(IDM_NEW); }, "Pinball Simulation",
       false, 0, &walls},
      {"a box on the new table", box, "*Untitled - Pinball Simulation", true, 0, nullptr},
      {"New, cancelled",
       [&] {
         answer(SaveChangesAnswer::cancel);
         ControlKeyDown('N', false);
       },
       "*Untitled - Pinball Simulation", true, 1, nullptr},
      {"New, not saved",
       [&] {
         answer(SaveChangesAnswer::no);
         MenuCommand(IDM_NEW);
       },
       "Pinball Simulation", false, 1, &walls},
      {"a opened", [&] { OpenPath(a); }, "document_a - Pinball Simulation", false, 0, &aBytes},
      {"Clear is a change", [] { MenuCommand(IDM_CLEAR); }, "*document_a - Pinball Simulation",
       true, 0, &walls},
      {"b opened over it, not saved",
       [&] {
         answer(SaveChangesAnswer::no);
         stub::QueueOpenPath(b);
         ControlKeyDown('O', false);
       },
       "document_b - Pinball Simulation", false, 1, &bBytes},
      {"Ctrl+Z has nothing of a to bring back", [] { ControlKeyDown('Z', false); },
       "document_b - Pinball Simulation", false, 0, &bBytes},
      {"Ctrl+S writes b as it was opened", [] { ControlKeyDown('S', false); },
       "document_b - Pinball Simulation", false, 0, &bBytes},
      {"Reset is a change", [] { MenuCommand(IDM_RESET); }, "*document_b - Pinball Simulation",
       true, 0, &start},
      {"a link over it, cancelled",
       [&] {
         answer(SaveChangesAnswer::cancel);
         OpenLink("shared.pinball", aBytes);
       },
       "*document_b - Pinball Simulation", true, 1, &start},
      {"a refused link asks nothing and changes nothing",
       [&] { OpenLink("shared.pinball", aBytes + "box 1 2 3\n"); },
       "*document_b - Pinball Simulation", true, 0, &start},
      {"a link that could not be unpacked", [] { LinkFailed("it is damaged or cut short"); },
       "*document_b - Pinball Simulation", true, 0, &start},
      {"the link, not saved",
       [&] {
         answer(SaveChangesAnswer::no);
         OpenLink("shared.pinball", aBytes);
       },
       "shared - Pinball Simulation", false, 1, &aBytes},
      {"Undo after the link", [] { MenuCommand(IDM_UNDO); }, "shared - Pinball Simulation", false,
       0, &aBytes},
      {"a link naming no file, over an unchanged table", [&] { OpenLink("", bBytes); },
       "Pinball Simulation", false, 0, &bBytes},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const int asked = stub::SaveChangesAsked();
    step.act();
    EXPECT_EQ(Shown(), step.caption);
    EXPECT_EQ(Caption(), step.caption);
    EXPECT_EQ(CanUndo(), step.canUndo);
    EXPECT_EQ(stub::IsEnabled(IDM_UNDO), step.canUndo);
    EXPECT_EQ(stub::SaveChangesAsked() - asked, step.asked);
    if (step.table != nullptr) {
      EXPECT_EQ(WriteTable(), *step.table);
    }
  }
  EXPECT_EQ(Contents(b), bBytes);
  const char* said[] = {"Cannot save document_a: ", "Cannot open the link: line ",
                        "Cannot open the link: it is damaged or cut short"};
  ASSERT_EQ(stub::MessageBoxes().size(), 3u);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(stub::MessageBoxes()[k].text.rfind(said[k], 0), 0u) << k;
  std::remove(a.c_str());
  std::remove(b.c_str());
  testing_support::ResetScene();
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
  MenuCommand(IDM_UNDO);  // an Open starts a table of its own: nothing before it to undo
  EXPECT_EQ(WriteTable(), withCircle);
  EXPECT_FALSE(TableChanged());
  MenuCommand(IDM_CLEAR);
  stub::QueueSaveChangesAnswer(SaveChangesAnswer::no);
  MenuCommand(IDM_QUIT);
  EXPECT_EQ(stub::QuitCount(), 2);
  std::remove(path.c_str());
  testing_support::ResetScene();
}

}  // namespace
