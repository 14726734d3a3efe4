#include "scene/commands.h"

#include <algorithm>
#include <iterator>

#include "app/platform.h"
#include "scene/document.h"
#include "scene/examples.h"
#include "scene/history.h"
#include "scene/move_delete.h"
#include "scene/scene.h"
#include "scene/snapshot.h"
#include "scene/time_controls.h"

namespace {

const char kInstructions[] =
    "To Add objects to the scene, you must select Edit in the Files menu.  Then you can add "
    "whatever objects you want. \n\n To Reset the whole scene, choose Reset.";
const char kAbout[] =
    "Pinball Simulation\nA pinball table drawn pixel by pixel, by its own small team.";

// Marks the choice `on` and takes the mark off the others of its group.
void MarkChoice(int32_t on) {
  for (const auto& group : kChoiceGroups) {
    if (std::find(std::begin(group), std::end(group), on) == std::end(group)) continue;
    PlatformCheckMenuItem(on, true);
    for (int32_t id : group) {
      if (id != 0 && id != on) PlatformCheckMenuItem(id, false);
    }
  }
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
  MarkChoice(item);
}

void ChooseOtherColor() {
  MarkChoice(IDM_OTHER_COLOR);
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
    case IDM_NEW:
      NewCommand();
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
      MarkChoice(IDM_RED);
      break;
    case IDM_GREEN:
      color = green;
      MarkChoice(IDM_GREEN);
      break;
    case IDM_BLUE:
      color = blue;
      MarkChoice(IDM_BLUE);
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
      MarkChoice(IDM_CREATE_PINBALL);
      break;
    case IDM_SPEED_1:
      speed = 1.0f;
      MarkChoice(IDM_SPEED_1);
      break;
    case IDM_SPEED_2:
      speed = 2.0f;
      MarkChoice(IDM_SPEED_2);
      break;
    case IDM_SPEED_3:
      speed = 3.0f;
      MarkChoice(IDM_SPEED_3);
      break;
    case IDM_RADIUS_HALF:
      pinrad = 5.0f;
      MarkChoice(IDM_RADIUS_HALF);
      break;
    case IDM_RADIUS_1:
      pinrad = 10.0f;
      MarkChoice(IDM_RADIUS_1);
      break;
    case IDM_RADIUS_1_5:
      pinrad = 15.0f;
      MarkChoice(IDM_RADIUS_1_5);
      break;
    case IDM_INSTRUCTIONS:
      PlatformMessageBox(false, "Instructions", kInstructions);
      break;
    case IDM_ABOUT:
      PlatformMessageBox(true, "About", kAbout);
      break;
    case IDM_PAUSE:
      PauseCommand();
      break;
    case IDM_STEP:
      StepCommand();
      break;
    case IDM_STEP_BACK:
      StepBackCommand();
      break;
    case IDM_SLOW_1:
    case IDM_SLOW_HALF:
    case IDM_SLOW_QUARTER:
      SlowMotionCommand(id);
      break;
    case IDM_TRAILS:
      TrailsCommand();
      break;
    default:
      if (const Example* example = ExampleOfCommand(id)) OpenExample(*example);
      break;  // other ids are ignored
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
  } else if (key == kKeySpace) {
    MenuCommand(IDM_PAUSE);
  } else if (key == kKeyPeriod) {
    MenuCommand(IDM_STEP);
  } else if (key == kKeyComma) {
    MenuCommand(IDM_STEP_BACK);
  } else if (key == kKeyT) {
    MenuCommand(IDM_TRAILS);
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
    case 'N':
      MenuCommand(IDM_NEW);
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
