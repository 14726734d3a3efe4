#include "tests/support/platform_stub.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <functional>
#include <optional>

#include "app/platform.h"
#include "resources/resource.h"

namespace {

// A store larger than this is refused, as a real display driver refuses one.
constexpr size_t kMaxStoreBytes = size_t{256} << 20;

struct State {
  stub::Frame last_frame;
  int presents = 0;
  int live_stores = 0;
  int live_contexts = 0;
  bool fail_stores = false;
  std::map<int32_t, bool> checks;
  std::deque<std::optional<Color_RGB>> color_answers;
  int color_dialogs = 0;
  Color_RGB color_start{};
  std::vector<stub::MessageBoxCall> boxes;
  int quits = 0;
  std::deque<std::string> open_paths;
  std::deque<std::string> save_paths;
  std::deque<SaveChangesAnswer> save_answers;
  int save_asks = 0;
  std::string caption;
  std::map<int32_t, bool> enabled{{IDM_UNDO, false}, {IDM_REDO, false}};  // as the menu starts
  bool fail_writes = false;
  std::deque<std::function<void()>> messages;
  int passes = 0;
};

State& state() {
  static State s;
  return s;
}

// A memory context remembers the store selected into it, so that a present
// can read the pixels. The display context is a context with no store.
struct Dib {
  uint32_t* words;
  int32_t width;
  int32_t height;
};

struct Context {
  Dib* selected = nullptr;
};

}  // namespace

PlatformHandle PlatformCreateDisplayContext() {
  ++state().live_contexts;
  return new Context();
}

PlatformHandle PlatformCreateCompatibleContext(PlatformHandle) {
  ++state().live_contexts;
  return new Context();
}

PlatformHandle PlatformCreateDibSection(PlatformHandle, int32_t width, int32_t height,
                                        uint32_t** pixels) {
  *pixels = nullptr;
  if (state().fail_stores || width <= 0 || height <= 0) return nullptr;
  const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  if (bytes > kMaxStoreBytes) return nullptr;
  auto* words = static_cast<uint32_t*>(std::calloc(bytes, 1));
  if (words == nullptr) return nullptr;
  ++state().live_stores;
  *pixels = words;
  return new Dib{words, width, height};
}

PlatformHandle PlatformSelectObject(PlatformHandle context, PlatformHandle object) {
  auto* c = static_cast<Context*>(context);
  if (c == nullptr) return nullptr;
  Dib* previous = c->selected;
  c->selected = static_cast<Dib*>(object);
  return previous;
}

void PlatformDeleteObject(PlatformHandle object) {
  auto* dib = static_cast<Dib*>(object);
  if (dib == nullptr) return;
  std::free(dib->words);
  delete dib;
  --state().live_stores;
}

void PlatformDeleteContext(PlatformHandle context) {
  if (context == nullptr) return;
  delete static_cast<Context*>(context);
  --state().live_contexts;
}

void PlatformPresent(PlatformHandle, int32_t width, int32_t height, PlatformHandle memoryContext) {
  State& s = state();
  ++s.presents;
  // The frame's words are reused from present to present: a long run must not
  // allocate a whole frame on every pass.
  s.last_frame.width = 0;
  s.last_frame.height = 0;
  s.last_frame.words.clear();
  auto* c = static_cast<Context*>(memoryContext);
  if (c == nullptr || c->selected == nullptr || width <= 0 || height <= 0) return;
  s.last_frame.width = width;
  s.last_frame.height = height;
  const uint32_t* words = c->selected->words;
  s.last_frame.words.assign(words, words + static_cast<size_t>(width) * height);
}

void PlatformCheckMenuItem(int32_t commandId, bool checked) { state().checks[commandId] = checked; }

bool PlatformChooseColor(Color_RGB current, Color_RGB& chosen) {
  State& s = state();
  ++s.color_dialogs;
  s.color_start = current;
  if (s.color_answers.empty()) return false;
  std::optional<Color_RGB> answer = s.color_answers.front();
  s.color_answers.pop_front();
  if (!answer) return false;
  chosen = *answer;
  return true;
}

void PlatformMessageBox(bool owned, const char* caption, const char* text) {
  state().boxes.push_back({owned, caption, text});
}

void PlatformErrorBox(const char* caption, const char* text) {
  state().boxes.push_back({true, caption, text, true});
}

void PlatformQuit() { ++state().quits; }

namespace {

bool TakeAnswer(std::deque<std::string>& answers, std::string& path) {
  if (answers.empty()) return false;
  path = answers.front();
  answers.pop_front();
  return true;
}

}  // namespace

bool PlatformAskOpenPath(std::string& path) { return TakeAnswer(state().open_paths, path); }

bool PlatformAskSavePath(const std::string&, std::string& path) {
  return TakeAnswer(state().save_paths, path);
}

bool PlatformReadFile(const std::string& path, size_t limit, std::string& bytes,
                      std::string& error) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) {
    error = "the file cannot be read";
    return false;
  }
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > limit) {
    error = FileTooLargeText(limit);
    return false;
  }
  bytes.assign(static_cast<size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), size)) {
    error = "the file cannot be read";
    return false;
  }
  return true;
}

// Written beside the file first and renamed over it, so that a failure
// leaves the old file whole.
bool PlatformWriteFile(const std::string& path, const std::string& bytes, std::string& error) {
  const std::string temporary = path + ".saving";
  bool ok = !state().fail_writes;
  if (ok) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    ok = out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && out.flush();
  }
  if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    error = "the file cannot be written";
    return false;
  }
  return true;
}

SaveChangesAnswer PlatformAskSaveChanges() {
  State& s = state();
  ++s.save_asks;
  if (s.save_answers.empty()) return SaveChangesAnswer::no;
  const SaveChangesAnswer answer = s.save_answers.front();
  s.save_answers.pop_front();
  return answer;
}

void PlatformSetCaption(const char* caption) { state().caption = caption; }

void PlatformEnableMenuItem(int32_t commandId, bool enabled) {
  state().enabled[commandId] = enabled;
}

bool PlatformTakeMessage() {
  State& s = state();
  if (s.messages.empty()) return false;
  const std::function<void()> message = std::move(s.messages.front());
  s.messages.pop_front();
  if (!message) return true;  // the quit request
  message();
  return false;
}

void PlatformEndPass(bool) { ++state().passes; }

namespace stub {

int Frame::count_lit() const {
  int n = 0;
  for (uint32_t w : words) n += (w != 0);
  return n;
}

void Reset() {
  State& s = state();
  const int stores = s.live_stores;
  const int contexts = s.live_contexts;
  s = State{};
  // Stores still held by a live Rendering stay counted.
  s.live_stores = stores;
  s.live_contexts = contexts;
}

const Frame& LastFrame() { return state().last_frame; }
int PresentCount() { return state().presents; }
int LiveStores() { return state().live_stores; }
int LiveContexts() { return state().live_contexts; }
void FailStores(bool fail) { state().fail_stores = fail; }
const std::map<int32_t, bool>& CheckMarks() { return state().checks; }
bool IsChecked(int32_t commandId) {
  auto it = state().checks.find(commandId);
  return it != state().checks.end() && it->second;
}
void QueueColorAnswer(Color_RGB chosen) { state().color_answers.emplace_back(chosen); }
void QueueColorCancel() { state().color_answers.emplace_back(std::nullopt); }
int ColorDialogCount() { return state().color_dialogs; }
Color_RGB LastColorDialogStart() { return state().color_start; }
const std::vector<MessageBoxCall>& MessageBoxes() { return state().boxes; }
int QuitCount() { return state().quits; }
void QueueOpenPath(const std::string& path) { state().open_paths.push_back(path); }
void QueueSavePath(const std::string& path) { state().save_paths.push_back(path); }
void QueueSaveChangesAnswer(SaveChangesAnswer answer) { state().save_answers.push_back(answer); }
int SaveChangesAsked() { return state().save_asks; }
const std::string& Caption() { return state().caption; }
bool IsEnabled(int32_t commandId) {
  auto it = state().enabled.find(commandId);
  return it == state().enabled.end() || it->second;
}
void FailWrites(bool fail) { state().fail_writes = fail; }
void QueueMessage(std::function<void()> message) { state().messages.push_back(std::move(message)); }
size_t QueuedMessages() { return state().messages.size(); }
int PassesEnded() { return state().passes; }

}  // namespace stub
