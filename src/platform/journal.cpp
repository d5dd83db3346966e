#include "platform/journal.h"

#include <algorithm>
#include <charconv>

#include "platform/float_text.h"
#include "platform/window.h"

namespace {
constexpr size_t MaxFileBytes = 1 << 20;
constexpr size_t MaxEventsPerFrame = 64;
constexpr int MaxScreenSide = 16384;
const char Magic[] = "kestrin-journal";
const char DebugKeysLine[] = "debug-keys";

// Walks the text line by line; every fault becomes the one reason reported.
struct JournalReader {
  const std::string& text;
  size_t at = 0;
  std::string error;

  bool Fail(const std::string& reason) {
    if (error.empty()) error = reason;
    return false;
  }

  bool AtEnd() const { return at >= text.size(); }

  bool Line(std::string_view* line) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) return Fail("the journal is cut short");
    *line = std::string_view(text).substr(at, end - at);
    at = end + 1;
    return true;
  }

  // "word rest": the rest after the expected first word.
  bool Keyed(const char* word, std::string_view* rest) {
    std::string_view line;
    if (!Line(&line)) return false;
    const std::string_view key(word);
    if (line.substr(0, key.size()) != key || (line.size() > key.size() && line[key.size()] != ' '))
      return Fail("expected '" + std::string(key) + "' at byte " + std::to_string(at - line.size() - 1));
    *rest = line.size() > key.size() ? line.substr(key.size() + 1) : std::string_view();
    return true;
  }

  bool Bytes(size_t count, std::string* out) {
    if (text.size() - at < count + 1 || text[at + count] != '\n') return Fail("the journal is cut short");
    out->assign(text, at, count);
    at += count + 1;
    return true;
  }
};

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t start = 0;
  while (start <= line.size()) {
    size_t end = std::min(line.find(' ', start), line.size());
    words.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

template <typename Number>
bool ParseNumber(std::string_view word, Number* value, Number highest) {
  if (word.empty()) return false;
  Number parsed{};
  auto [end, fault] = std::from_chars(word.data(), word.data() + word.size(), parsed);
  if (fault != std::errc() || end != word.data() + word.size() || parsed < Number{} || parsed > highest) return false;
  *value = parsed;
  return true;
}

bool ParseCoordinate(std::string_view word, float* value) {
  auto [end, fault] = FloatFromChars(word.data(), word.data() + word.size(), *value);
  return fault == std::errc() && end == word.data() + word.size() && *value > -1e6f && *value < 1e6f;
}

bool ParseEvent(std::string_view word, JournalEvent* event) {
  if (word == "q") {
    *event = JournalEvent{WM_CLOSE, 0};
    return true;
  }
  if (word.size() < 2) return false;
  switch (word[0]) {
    case 'd': event->message = WM_KEYDOWN; break;
    case 'u': event->message = WM_KEYUP; break;
    case 'c': event->message = WM_CHAR; break;
    default: return false;
  }
  return ParseNumber<uint8_t>(word.substr(1), &event->code, 255);
}

bool ParseFrame(std::string_view line, JournalFrame* frame) {
  const std::vector<std::string_view> words = Words(line);
  unsigned buttons = 0;
  if (words.size() < 4 || words.size() > 4 + MaxEventsPerFrame) return false;
  if (!ParseNumber<uint32_t>(words[0], &frame->clock, UINT32_MAX) || !ParseCoordinate(words[1], &frame->x) ||
      !ParseCoordinate(words[2], &frame->y) || !ParseNumber<unsigned>(words[3], &buttons, 15))
    return false;
  frame->left = buttons & 1;
  frame->right = buttons & 2;
  frame->leftElsewhere = buttons & 4;
  frame->rightElsewhere = buttons & 8;
  for (size_t i = 4; i < words.size(); ++i) {
    JournalEvent event;
    if (!ParseEvent(words[i], &event)) return false;
    frame->events.push_back(event);
  }
  return true;
}

bool ParseHeader(JournalReader& in, JournalHeader* header) {
  std::string_view rest;
  int version = 0;
  if (!in.Keyed(Magic, &rest)) {
    in.error = "not a Kestrin journal";
    return false;
  }
  if (!ParseNumber(rest, &version, 1000000)) return in.Fail("not a Kestrin journal");
  if (version < 1 || version > JournalVersion)
    return in.Fail("journal format " + std::to_string(version) + ", this game reads formats 1 to " +
                   std::to_string(JournalVersion));
  header->version = version;
  header->debugKeys = version == 1;
  if (!in.Keyed("game", &rest)) return false;
  header->game = rest;
  if (!in.Keyed("screen", &rest)) return false;
  const std::vector<std::string_view> size = Words(rest);
  if (size.size() != 2 || !ParseNumber(size[0], &header->width, MaxScreenSide) ||
      !ParseNumber(size[1], &header->height, MaxScreenSide) || header->width == 0 || header->height == 0)
    return in.Fail("bad screen size");
  if (!in.Keyed("seed", &rest) || !ParseNumber<uint32_t>(rest, &header->seed, UINT32_MAX)) return in.Fail("bad seed");
  if (!in.Keyed("clock", &rest) || !ParseNumber<uint32_t>(rest, &header->clock, UINT32_MAX))
    return in.Fail("bad clock");
  for (;;) {
    std::string_view line;
    if (!in.Line(&line)) return false;
    if (line == "frames") return true;
    if (line == DebugKeysLine && version >= 2) {
      header->debugKeys = true;
      continue;
    }
    const std::vector<std::string_view> words = Words(line);
    size_t length = 0;
    if (words.size() != 3 || words[0] != "file" || !ParseNumber(words[2], &length, MaxFileBytes))
      return in.Fail("bad file entry in the header");
    const std::string name(words[1]);
    const std::vector<std::string>& known = JournalFileNames();
    if (std::find(known.begin(), known.end(), name) == known.end()) return in.Fail("unknown file '" + name + "'");
    for (const auto& file : header->files)
      if (file.first == name) return in.Fail("file '" + name + "' given twice");
    std::string contents;
    if (!in.Bytes(length, &contents)) return false;
    header->files.emplace_back(name, std::move(contents));
  }
}

bool ParseFrames(JournalReader& in, Journal* journal) {
  while (!in.AtEnd()) {
    std::string_view line;
    if (!in.Line(&line)) return false;
    if (line.substr(0, 4) == "end ") {
      size_t count = 0;
      if (!ParseNumber(line.substr(4), &count, SIZE_MAX) || count != journal->frames.size())
        return in.Fail("the end line counts " + std::string(line.substr(4)) + " frames, the journal holds " +
                       std::to_string(journal->frames.size()));
      if (!in.AtEnd()) return in.Fail("text after the end line");
      journal->finished = true;
      return true;
    }
    JournalFrame frame;
    if (!ParseFrame(line, &frame))
      return in.Fail("bad frame " + std::to_string(journal->frames.size() + 1) + ": '" +
                     std::string(line.substr(0, 60)) + "'");
    journal->frames.push_back(std::move(frame));
  }
  return true;
}

void AppendNumber(std::string& out, float value) {
  char digits[32];
  auto [end, fault] = FloatToChars(digits, digits + sizeof digits, value);
  out.append(digits, fault == std::errc() ? end : digits);
}
}  // namespace

const std::vector<std::string>& JournalFileNames() {
  static const std::vector<std::string> names = {"bin/default.cfg", "data/profile0.s", "data/profile1.s",
                                                 "data/profile2.s"};
  return names;
}

bool ParseJournal(const std::string& text, Journal* journal, std::string* error) {
  *journal = Journal{};
  JournalReader in{text, 0, {}};
  if (ParseHeader(in, &journal->header) && ParseFrames(in, journal)) return true;
  *error = in.error;
  return false;
}

std::string JournalHeaderText(const JournalHeader& header) {
  std::string text = std::string(Magic) + " " + std::to_string(JournalVersion) + "\ngame " + header.game +
                     "\nscreen " + std::to_string(header.width) + " " + std::to_string(header.height) +
                     "\nseed " + std::to_string(header.seed) + "\nclock " + std::to_string(header.clock) + "\n";
  if (header.debugKeys) text += std::string(DebugKeysLine) + "\n";
  for (const auto& [name, contents] : header.files)
    text += "file " + name + " " + std::to_string(contents.size()) + "\n" + contents + "\n";
  return text + "frames\n";
}

std::string JournalFrameLine(const JournalFrame& frame) {
  std::string line = std::to_string(frame.clock) + " ";
  AppendNumber(line, frame.x);
  line += " ";
  AppendNumber(line, frame.y);
  line += " " + std::to_string((frame.left ? 1 : 0) | (frame.right ? 2 : 0) | (frame.leftElsewhere ? 4 : 0) |
                               (frame.rightElsewhere ? 8 : 0));
  for (const JournalEvent& event : frame.events) {
    switch (event.message) {
      case WM_KEYDOWN: line += " d" + std::to_string(event.code); break;
      case WM_KEYUP: line += " u" + std::to_string(event.code); break;
      case WM_CHAR: line += " c" + std::to_string(event.code); break;
      case WM_CLOSE: line += " q"; break;
      default: break;
    }
  }
  return line + "\n";
}

std::string JournalEndLine(size_t frames) { return "end " + std::to_string(frames) + "\n"; }
