#include "scene/commands.h"

void MenuCommand(int32_t) {}
void KeyDown(uint32_t) {}
