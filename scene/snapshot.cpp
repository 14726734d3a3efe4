#include "scene/snapshot.h"

#include <utility>

#include "scene/scene.h"

namespace {

// Calls part(live, member) for each list of the scene and each pick, with
// the member of a snapshot that holds its copy: the one place that names
// every part of the scene.
template <typename F>
void ForEachPart(F&& part) {
  part(gPointList, &SceneSnapshot::points);
  part(BallList, &SceneSnapshot::balls);
  part(polylist, &SceneSnapshot::vertices);
  part(LinesList, &SceneSnapshot::walls);
  part(circlist, &SceneSnapshot::circles);
  part(boxlist, &SceneSnapshot::boxes);
  part(trilist, &SceneSnapshot::triangles);
  part(pickedb, &SceneSnapshot::pickedb);
  part(pickedc, &SceneSnapshot::pickedc);
  part(pickedt, &SceneSnapshot::pickedt);
}

template <typename T>
size_t ExtraBytes(const std::vector<T>& list) {
  return list.size() * sizeof(T);
}
size_t ExtraBytes(int32_t) { return 0; }  // inside the snapshot itself

}  // namespace

size_t SceneSnapshot::Bytes() const {
  size_t bytes = sizeof(SceneSnapshot);
  ForEachPart([&](const auto&, auto member) { bytes += ExtraBytes(this->*member); });
  return bytes;
}

void TakeSnapshot(SceneSnapshot& into) {
  ForEachPart([&](const auto& live, auto member) { into.*member = live; });
}

void SwapSnapshot(SceneSnapshot& from) {
  ForEachPart([&](auto& live, auto member) { std::swap(live, from.*member); });
}

void EmptyScene() {
  static const SceneSnapshot kEmpty;
  // Copied from empty lists, as clear() does: the room they had stays.
  ForEachPart([](auto& live, auto member) { live = kEmpty.*member; });
}
