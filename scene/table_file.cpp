#include "scene/table_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "app/platform.h"
#include "scene/field.h"
#include "scene/float_text.h"
#include "scene/scene.h"

namespace {

constexpr char kHeader[] = "pinball-table";
constexpr int kVersion = 1;

// The first line of every table this program writes.
std::string HeaderLine() { return kHeader + (" " + std::to_string(kVersion)); }

// Limits on values, wide enough for every table the program itself can make
// (clicks are 16-bit; a ball at speed 3 stops gaining ground near 2^26), and
// narrow enough that no drawing or collision sum leaves its range.
constexpr float kNear = 1e6f;
constexpr float kFar = 1e9f;
constexpr float kMaxBallRadius = 1000;
constexpr float kMaxSpeed = 16;

// ---- Writing ----

void Append(std::string& out, float v) {
  out += ' ';
  AppendFloat(out, v);
}

void Append(std::string& out, int32_t v) {
  out += ' ';
  out += std::to_string(v);
}

void Append(std::string& out, Color_RGB c) {
  char hex[9];
  std::snprintf(hex, sizeof hex, " #%02x%02x%02x", c.red, c.green, c.blue);
  out += hex;
}

// ---- Reading ----

enum class Value {
  coordinate,
  far,
  radius,
  ballRadius,
  speed,
  direction,
  corner,
  colour,
  walls,
  kind
};

std::string Whole(float v) { return std::to_string(static_cast<int64_t>(v)); }

// What a value must be, in the words of an error, built from the limits it is checked against.
std::string Expected(Value v) {
  switch (v) {
    case Value::coordinate:
      return "a number from " + Whole(-kNear) + " to " + Whole(kNear);
    case Value::far:
      return "a number from " + Whole(-kFar) + " to " + Whole(kFar);
    case Value::radius:
      return "a number from 0 to " + Whole(kNear);
    case Value::ballRadius:
      return "a number more than 0 and at most " + Whole(kMaxBallRadius);
    case Value::speed:
      return "a number more than 0 and at most " + Whole(kMaxSpeed);
    case Value::direction:
      return "a number from -1.001 to 1.001";
    case Value::corner:
      return "a whole number from " + Whole(-kNear) + " to " + Whole(kNear);
    case Value::colour:
      return "a colour written #rrggbb";
    case Value::walls:
      return "a wall's index, or -1 for none";
    case Value::kind:
      return "0, 1 or 2";
  }
  return "";
}

struct Field {
  const char* name;
  Value value;
};

struct RecordKind {
  const char* word;
  const char* named;  // as an error names it
  std::vector<Field> fields;
};

const RecordKind kWall{"wall",
                       "a wall",
                       {{"x1", Value::coordinate},
                        {"y1", Value::coordinate},
                        {"x2", Value::coordinate},
                        {"y2", Value::coordinate},
                        {"colour", Value::colour}}};
const RecordKind kCircle{"circle",
                         "a circle",
                         {{"x", Value::coordinate},
                          {"y", Value::coordinate},
                          {"radius", Value::radius},
                          {"colour", Value::colour}}};
const RecordKind kBox{"box",
                      "a box",
                      {{"x0", Value::corner},
                       {"y0", Value::corner},
                       {"x1", Value::corner},
                       {"y1", Value::corner},
                       {"colour", Value::colour},
                       {"walls", Value::walls}}};
const RecordKind kTriangle{"triangle",
                           "a triangle",
                           {{"x1", Value::coordinate},
                            {"y1", Value::coordinate},
                            {"x2", Value::coordinate},
                            {"y2", Value::coordinate},
                            {"x3", Value::coordinate},
                            {"y3", Value::coordinate},
                            {"colour", Value::colour},
                            {"walls", Value::walls}}};
const RecordKind kVertex{"vertex",
                         "a vertex",
                         {{"x", Value::coordinate},
                          {"y", Value::coordinate},
                          {"colour", Value::colour},
                          {"kind", Value::kind}}};
const RecordKind kBall{"ball",
                       "a ball",
                       {{"x", Value::far},
                        {"y", Value::far},
                        {"dx", Value::direction},
                        {"dy", Value::direction},
                        {"speed", Value::speed},
                        {"radius", Value::ballRadius},
                        {"colour", Value::colour}}};
const RecordKind* const kKinds[] = {&kWall, &kCircle, &kBox, &kTriangle, &kVertex, &kBall};

constexpr size_t kMaxTokens = 10;

// A shape that names a group of walls, checked once every wall is read.
struct GroupUse {
  size_t line;
  const char* named;
  int32_t first;
  int32_t count;
};

// The digits of `t` after its leading zeros ("" for zero); false when `t`
// is not all digits.
bool SignificantDigits(std::string_view t, std::string_view& digits) {
  if (t.empty() || t.find_first_not_of("0123456789") != std::string_view::npos) return false;
  digits = t.substr(std::min(t.find_first_not_of('0'), t.size()));
  return true;
}

bool WholeNumber(std::string_view t, int64_t lo, int64_t hi, int32_t& out) {
  const bool negative = !t.empty() && t[0] == '-';
  std::string_view digits;
  if (!SignificantDigits(t.substr(negative ? 1 : 0), digits) || digits.size() > 10) return false;
  int64_t v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  if (negative) v = -v;
  if (v < lo || v > hi) return false;
  out = static_cast<int32_t>(v);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ColourValue(std::string_view t, Color_RGB& out) {
  if (t.size() != 7 || t[0] != '#') return false;
  uint8_t bytes[3];
  for (int k = 0; k < 3; ++k) {
    const int hi = HexDigit(t[1 + 2 * k]), lo = HexDigit(t[2 + 2 * k]);
    if (hi < 0 || lo < 0) return false;
    bytes[k] = static_cast<uint8_t>(hi * 16 + lo);
  }
  out = Color_RGB{bytes[0], bytes[1], bytes[2]};
  return true;
}

bool InRange(float v, Value kind) {
  switch (kind) {
    case Value::coordinate:
      return v >= -kNear && v <= kNear;
    case Value::far:
      return v >= -kFar && v <= kFar;
    case Value::radius:
      return v >= 0 && v <= kNear;
    case Value::ballRadius:
      return v > 0 && v <= kMaxBallRadius;
    case Value::speed:
      return v > 0 && v <= kMaxSpeed;
    case Value::direction:
      return v >= -1.001f && v <= 1.001f;
    default:
      return false;
  }
}

// Whether the bytes are UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool IsUtf8(std::string_view s) {
  size_t at = 0;
  while (at < s.size()) {
    const auto c = static_cast<unsigned char>(s[at]);
    if (c < 0x80) {
      ++at;
      continue;
    }
    int more;
    uint32_t v;
    if (c >= 0xC2 && c <= 0xDF) {
      more = 1, v = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      more = 2, v = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      more = 3, v = c & 0x07;
    } else {
      return false;
    }
    if (s.size() - at <= static_cast<size_t>(more)) return false;
    for (int k = 1; k <= more; ++k) {
      const auto n = static_cast<unsigned char>(s[at + k]);
      if ((n & 0xC0) != 0x80) return false;
      v = (v << 6) | (n & 0x3F);
    }
    if ((more == 2 && (v < 0x800 || (v >= 0xD800 && v <= 0xDFFF))) ||
        (more == 3 && (v < 0x10000 || v > 0x10FFFF))) {
      return false;
    }
    at += static_cast<size_t>(more) + 1;
  }
  return true;
}

// Reads one table into a scene of its own, line by line; the first fault
// ends it with its message.
class TableReader {
 public:
  bool Read(std::string_view bytes) {
    if (bytes.size() > kTableMaxBytes) return Fail(0, FileTooLargeText(kTableMaxBytes));
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // as Windows editors write
    size_t line = 0;
    while (!bytes.empty()) {
      ++line;
      const size_t end = bytes.find('\n');
      std::string_view text = bytes.substr(0, end);
      bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
      if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
      if (!Line(line, text)) return false;
    }
    if (line == 0) return Fail(1, "the file is empty, not a pinball table");
    return Finish(line);
  }

  SceneSnapshot scene;
  bool fill = true;
  std::string error;

 private:
  bool Fail(size_t line, const std::string& what) {
    error = line ? "line " + std::to_string(line) + ": " + what : what;
    return false;
  }

  bool Line(size_t line, std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first != std::string_view::npos && text[first] == '#') {
      if (line == 1) return NotATable();
      return IsUtf8(text) || Fail(line, "a comment that is not UTF-8 text");
    }
    for (char c : text) {
      if ((c < 0x20 || c > 0x7E) && c != '\t') {
        if (line == 1) return NotATable();
        return Fail(line, "a character that has no place in a table");
      }
    }
    std::string_view tokens[kMaxTokens + 1];
    size_t n = 0;
    for (size_t at = 0; at < text.size() && n <= kMaxTokens;) {
      at = text.find_first_not_of(" \t", at);
      if (at == std::string_view::npos) break;
      const size_t stop = std::min(text.find_first_of(" \t", at), text.size());
      tokens[n++] = text.substr(at, stop - at);
      at = stop;
    }
    if (line == 1) return Header(tokens, n);
    if (n == 0) return true;  // a blank line
    if (++records > kTableMaxRecords) {
      return Fail(line, "a table holds at most " + std::to_string(kTableMaxRecords) + " records");
    }
    if (tokens[0] == "drawing") return Drawing(line, tokens, n);
    for (const RecordKind* kind : kKinds) {
      if (tokens[0] == kind->word) return Record(line, *kind, tokens + 1, n - 1);
    }
    const std::string word(tokens[0].substr(0, 24));
    return Fail(line, "\"" + word + "\" is not a kind of record a table holds");
  }

  bool NotATable() {
    return Fail(1, "not a pinball table: it must begin with \"" + HeaderLine() + "\"");
  }

  // Any version of any length above this one's is a newer table, not a damaged one.
  bool Header(const std::string_view* tokens, size_t n) {
    std::string_view version;
    if (n != 2 || tokens[0] != kHeader || !SignificantDigits(tokens[1], version) ||
        version.empty()) {
      return NotATable();
    }
    if (version != std::to_string(kVersion)) {
      const std::string shown =
          version.size() > 24 ? std::string(version.substr(0, 24)) + "..." : std::string(version);
      return Fail(1, "the table is of version " + shown + ", newer than this program reads (" +
                         std::to_string(kVersion) + ")");
    }
    return true;
  }

  bool Drawing(size_t line, const std::string_view* tokens, size_t n) {
    if (n != 2 || (tokens[1] != "filled" && tokens[1] != "outlined")) {
      return Fail(line, "the drawing mode is \"drawing filled\" or \"drawing outlined\"");
    }
    if (drawingSeen) return Fail(line, "the drawing mode is given twice");
    drawingSeen = true;
    fill = tokens[1] == "filled";
    return true;
  }

  bool Record(size_t line, const RecordKind& kind, const std::string_view* values, size_t n) {
    if (n != kind.fields.size()) {
      std::string names;
      for (const Field& f : kind.fields) names += ' ' + std::string(f.name);
      return Fail(line, std::string(kind.named) + " needs " + std::to_string(kind.fields.size()) +
                            " values:" + names);
    }
    float f[8] = {};
    int32_t i[8] = {};
    Color_RGB colour{};
    for (size_t k = 0; k < n; ++k) {
      const Field& field = kind.fields[k];
      bool ok;
      switch (field.value) {
        case Value::colour:
          ok = ColourValue(values[k], colour);
          break;
        case Value::corner:
          ok = WholeNumber(values[k], static_cast<int64_t>(-kNear), static_cast<int64_t>(kNear),
                           i[k]);
          break;
        case Value::walls:
          ok = WholeNumber(values[k], -1, static_cast<int64_t>(kTableMaxRecords) - 1, i[k]);
          break;
        case Value::kind:
          ok = WholeNumber(values[k], 0, 2, i[k]);
          break;
        default:
          ok = ReadFloat(values[k], f[k]) && InRange(f[k], field.value);
          break;
      }
      if (!ok) {
        return Fail(line, std::string("the ") + field.name + " of " + kind.named + " must be " +
                              Expected(field.value) + ", not \"" +
                              std::string(values[k].substr(0, 24)) + "\"");
      }
    }
    if (&kind == &kWall) {
      if (scene.walls.size() < 4) borderLines[scene.walls.size()] = line;
      scene.walls.push_back({f[0], f[1], colour, f[2], f[3], colour});
    } else if (&kind == &kCircle) {
      Circle c;
      c.Setoriginx(f[0]);
      c.Setoriginy(f[1]);
      c.Setradius(f[2]);
      c.Setx1(f[0] + f[2]);
      c.Sety1(f[1]);
      c.Setcol(colour);
      scene.circles.push_back(c);
    } else if (&kind == &kBox) {
      scene.boxes.push_back(Box(i[0], i[1], i[2], i[3], colour));
      scene.boxes.back().setwalls(i[5]);
      if (i[5] >= 0) groups.push_back({line, kind.named, i[5], 4});
    } else if (&kind == &kTriangle) {
      scene.triangles.push_back(triangle(f[0], f[1], f[2], f[3], f[4], f[5], colour));
      scene.triangles.back().setwalls(i[7]);
      if (i[7] >= 0) groups.push_back({line, kind.named, i[7], 3});
    } else if (&kind == &kVertex) {
      scene.vertices.push_back({f[0], f[1], colour, i[3]});
    } else {
      // Any unit direction, within rounding; anything else would change the ball's speed.
      const double length = std::sqrt(double{f[2]} * f[2] + double{f[3]} * f[3]);
      if (!(std::fabs(length - 1) <= 1e-3)) {
        std::string shown;
        AppendFloat(shown, static_cast<float>(length));
        return Fail(line,
                    "the direction of a ball must have length 1 within 0.001 (from 0.999 to "
                    "1.001), not " +
                        shown);
      }
      scene.balls.push_back(pinball(f[0], f[1], VECTOR(f[2], f[3]), colour, f[4], f[5]));
    }
    return true;
  }

  // What can only be checked once every record is read: the border walls
  // come first, and each shape's walls are walls of its own.
  bool Finish(size_t lastLine) {
    if (scene.walls.size() < 4) {
      return Fail(lastLine, "the table ends before the field's four border walls");
    }
    for (size_t k = 0; k < 4; ++k) {
      const Lines& w = scene.walls[k];
      if (w.x1 != kBorderWalls[k][0] || w.y1 != kBorderWalls[k][1] || w.x2 != kBorderWalls[k][2] ||
          w.y2 != kBorderWalls[k][3]) {
        return Fail(borderLines[k],
                    "the first four walls must be the field's border: top, right, left, bottom");
      }
    }
    std::vector<bool> taken(scene.walls.size(), false);
    for (const GroupUse& g : groups) {
      const size_t first = static_cast<size_t>(g.first), last = first + g.count - 1;
      const std::string span = std::to_string(first) + " to " + std::to_string(last);
      if (first < 4)
        return Fail(g.line,
                    std::string("the walls of ") + g.named + " cannot be the field's border");
      if (last >= scene.walls.size()) {
        return Fail(g.line, std::string("the walls ") + span + " of " + g.named +
                                " are not all in the table, which has " +
                                std::to_string(scene.walls.size()) + " walls");
      }
      for (size_t k = first; k <= last; ++k) {
        if (taken[k]) {
          return Fail(g.line, std::string("the walls ") + span + " of " + g.named +
                                  " are another shape's walls too");
        }
        taken[k] = true;
      }
    }
    return true;
  }

  size_t records = 0;
  bool drawingSeen = false;
  size_t borderLines[4] = {};
  std::vector<GroupUse> groups;
};

}  // namespace

std::string WriteTable() {
  std::string out;
  out.reserve(64 + 48 * (LinesList.size() + circlist.size() + boxlist.size() + trilist.size() +
                         polylist.size() + 2 * BallList.size()));
  out += HeaderLine();
  out += "\ndrawing ";
  out += Fill ? "filled\n" : "outlined\n";
  for (const Lines& w : LinesList) {
    out += "wall";
    for (float v : {w.x1, w.y1, w.x2, w.y2}) Append(out, v);
    Append(out, w.colour1);
    out += '\n';
  }
  for (const Circle& c : circlist) {
    out += "circle";
    for (float v : {c.Getoriginx(), c.Getoriginy(), c.Getradius()}) Append(out, v);
    Append(out, c.Getcol());
    out += '\n';
  }
  for (const Box& b : boxlist) {
    out += "box";
    for (int32_t v : {b.getv1x(), b.getv1y(), b.getv2x(), b.getv2y()}) Append(out, v);
    Append(out, b.getcol());
    Append(out, b.getwalls());
    out += '\n';
  }
  for (const triangle& t : trilist) {
    out += "triangle";
    for (float v : {t.getv1x(), t.getv1y(), t.getv2x(), t.getv2y(), t.getv3x(), t.getv3y()}) {
      Append(out, v);
    }
    Append(out, t.getcol());
    Append(out, t.getwalls());
    out += '\n';
  }
  for (const PolygonVertex& v : polylist) {
    out += "vertex";
    Append(out, v.x);
    Append(out, v.y);
    Append(out, v.colour);
    Append(out, v.kind);
    out += '\n';
  }
  for (const pinball& b : BallList) {
    out += "ball";
    for (float v :
         {b.Getoriginx(), b.Getoriginy(), b.getvecX(), b.getvecY(), b.getspeed(), b.Getradius()}) {
      Append(out, v);
    }
    Append(out, b.Getcol());
    out += '\n';
  }
  return out;
}

bool ReadTable(std::string_view bytes, SceneSnapshot& table, bool& fill, std::string& error) {
  TableReader reader;
  if (!reader.Read(bytes)) {
    error = std::move(reader.error);
    return false;
  }
  table = std::move(reader.scene);
  fill = reader.fill;
  return true;
}
