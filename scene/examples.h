#pragma once

// The classic tables of File > Examples, built into the program: billiards
// whose balls wander (the Sinai billiard, the stadium, the mushroom) or stay
// orderly (the equilateral triangle), and two balls a millionth of a pixel
// apart that part ways.

#include <cstddef>
#include <cstdint>

struct Example {
  const char* name;   // the menu's text
  const char* file;   // the file's name in resources/examples, without ".pinball"
  const char* table;  // the table's bytes
};

// In menu order: the item of example k has the id IDM_EXAMPLE_FIRST + k.
extern const Example kExamples[];
extern const size_t kExampleCount;

// The example of a menu id, or null for an id that is none.
const Example* ExampleOfCommand(int32_t id);
// Opens the example as an untitled table with a history of its own, after
// "Save changes?" for a changed table.
void OpenExample(const Example& example);
