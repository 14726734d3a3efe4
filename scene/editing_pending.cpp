// Placeholders until the editing code lands; replaced file by file.
#include "scene/mouse_editing.h"
#include "scene/move_delete.h"
#include "scene/picking.h"

int32_t ObjectPickerB(int32_t, int32_t, const std::vector<Box>&) { return -1; }
int32_t ObjectPickerC(int32_t, int32_t, const std::vector<Circle>&) { return -1; }
int32_t ObjectPickerT(int32_t, int32_t, std::vector<triangle>&) { return -1; }
void MovePicked(const Point&) {}
void DeletePicked() {}
void LeftClick(uint16_t, uint16_t) {}
void RightClick(uint16_t, uint16_t) {}
