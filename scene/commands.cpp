#include "scene/commands.h"

#include <initializer_list>

#include "app/platform.h"
#include "scene/document.h"
#include "scene/history.h"
#include "scene/move_delete.h"
#include "scene/scene.h"
#include "scene/snapshot.h"

namespace {

const char kInstructions[] =
    "To Add objects to the scene, you must select Edit in the Files menu.  Then you can add "
    "whatever objects you want. \n\n To Reset the whole scene, choose Reset.";
const char kAbout[] = "Pinball Simulation\nA pinball table drawn pixel by pixel, by its own small team.";

// Puts the mark on `on` and takes it off each of `off`.
void Mark(int32_t on, std::initializer_list<int32_t> off) {
  PlatformCheckMenuItem(on, true);
  for (int32_t id : off) PlatformCheckMenuItem(id, false);
}

// Empties every list and rebuilds the border walls (and the default scene
// while Start is set). The picks named records that are gone, so they go too.
void ClearScene() {
  NoteEdit();
  EmptyScene();
  init();
}

void SelectShape(type tool, int32_t item) {
  shape = tool;
  CreateBall = false;
  PlatformCheckMenuItem(item, true);
  for (int32_t id : {IDM_CIRCLE, IDM_BOX, IDM_TRIANGLE, IDM_POLYGON, IDM_CREATE_PINBALL}) {
    if (id != item) PlatformCheckMenuItem(id, false);
  }
}

void ChooseOtherColor() {
  Mark(IDM_OTHER_COLOR, {IDM_RED, IDM_GREEN, IDM_BLUE});
  Color_RGB chosen{};
  if (PlatformChooseColor(color, chosen)) color = chosen;
}

}  // namespace

void MenuCommand(int32_t id) {
  switch (id) {
    case IDM_RESET: {
      const SceneEdit edit;
      Pause = false;
      Start = true;
      ClearScene();
      PlatformCheckMenuItem(IDM_EDIT, false);
      break;
    }
    case IDM_EDIT:
      Pause = !Pause;
      PlatformCheckMenuItem(IDM_EDIT, Pause);
      break;
    case IDM_CLEAR: {
      const SceneEdit edit;
      ClearScene();
      break;
    }
    case IDM_UNDO:
      Undo();
      break;
    case IDM_REDO:
      Redo();
      break;
    case IDM_OPEN:
      OpenCommand();
      break;
    case IDM_SAVE:
      SaveCommand();
      break;
    case IDM_SAVE_AS:
      SaveAsCommand();
      break;
    case IDM_QUIT:
      QuitRequest();
      break;
    case IDM_RED:
      color = red;
      Mark(IDM_RED, {IDM_GREEN, IDM_BLUE, IDM_OTHER_COLOR});
      break;
    case IDM_GREEN:
      color = green;
      Mark(IDM_GREEN, {IDM_RED, IDM_BLUE, IDM_OTHER_COLOR});
      break;
    case IDM_BLUE:
      color = blue;
      Mark(IDM_BLUE, {IDM_RED, IDM_GREEN, IDM_OTHER_COLOR});
      break;
    case IDM_OTHER_COLOR:
      ChooseOtherColor();
      break;
    case IDM_CIRCLE:
      SelectShape(type::circle, IDM_CIRCLE);
      break;
    case IDM_BOX:
      SelectShape(type::box, IDM_BOX);
      break;
    case IDM_TRIANGLE:
      SelectShape(type::triangle, IDM_TRIANGLE);
      break;
    case IDM_POLYGON:
      SelectShape(type::polygon, IDM_POLYGON);
      break;
    case IDM_CREATE_PINBALL:
      CreateBall = true;
      Mark(IDM_CREATE_PINBALL, {IDM_CIRCLE, IDM_BOX, IDM_TRIANGLE, IDM_POLYGON});
      break;
    case IDM_SPEED_1:
      speed = 1.0f;
      Mark(IDM_SPEED_1, {IDM_SPEED_2, IDM_SPEED_3});
      break;
    case IDM_SPEED_2:
      speed = 2.0f;
      Mark(IDM_SPEED_2, {IDM_SPEED_1, IDM_SPEED_3});
      break;
    case IDM_SPEED_3:
      speed = 3.0f;
      Mark(IDM_SPEED_3, {IDM_SPEED_1, IDM_SPEED_2});
      break;
    case IDM_RADIUS_HALF:
      pinrad = 5.0f;
      Mark(IDM_RADIUS_HALF, {IDM_RADIUS_1, IDM_RADIUS_1_5});
      break;
    case IDM_RADIUS_1:
      pinrad = 10.0f;
      Mark(IDM_RADIUS_1, {IDM_RADIUS_HALF, IDM_RADIUS_1_5});
      break;
    case IDM_RADIUS_1_5:
      pinrad = 15.0f;
      Mark(IDM_RADIUS_1_5, {IDM_RADIUS_HALF, IDM_RADIUS_1});
      break;
    case IDM_INSTRUCTIONS:
      PlatformMessageBox(false, "Instructions", kInstructions);
      break;
    case IDM_ABOUT:
      PlatformMessageBox(true, "About", kAbout);
      break;
    default:
      break;  // unknown ids are ignored
  }
  RefreshDocument();
}

void KeyDown(uint32_t key) {
  if (key == kKeyDelete) {
    const SceneEdit edit;
    DeletePicked();
  } else if (key == kKeyA) {
    Fill = !Fill;
    RefreshDocument();  // the drawing mode is part of the saved table
  }
}

void ControlKeyDown(uint32_t key, bool shift) {
  switch (key) {
    case 'Z':
      MenuCommand(shift ? IDM_REDO : IDM_UNDO);
      break;
    case 'Y':
      MenuCommand(IDM_REDO);
      break;
    case 'O':
      MenuCommand(IDM_OPEN);
      break;
    case 'S':
      MenuCommand(IDM_SAVE);
      break;
    default:
      KeyDown(key);  // Ctrl+A and Ctrl+Delete act as A and Delete, as they always did
      break;
  }
}
