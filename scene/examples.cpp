#include "scene/examples.h"

#include "resources/resource.h"
#include "scene/document.h"

const Example* ExampleOfCommand(int32_t id) {
  if (id < IDM_EXAMPLE_FIRST) return nullptr;
  const size_t k = static_cast<size_t>(id - IDM_EXAMPLE_FIRST);
  return k < kExampleCount ? &kExamples[k] : nullptr;
}

// A table of the program's own, opened as a link's table is.
void OpenExample(const Example& example) { OpenLink("", example.table); }
