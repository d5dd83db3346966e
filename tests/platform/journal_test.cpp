// The journal format: what is written reads back, and every kind of broken
// journal is refused with a one-line reason.
#include "platform/journal.h"

#include <gtest/gtest.h>

#include "platform/window.h"

namespace {
const std::string Header =
    "kestrin-journal 1\ngame 1.0\nscreen 800 600\nseed 42\nclock 7\nfile data/profile0.s 5\nname\n\nframes\n";

std::string ManyCloses(int count) {
  std::string events;
  for (int i = 0; i < count; ++i) events += " q";
  return events;
}

TEST(JournalFormat, WhatIsWrittenReadsBack) {
  JournalHeader header{"1.0", 640, 480, 99, 12, {{"bin/default.cfg", "a\nb"}, {"data/profile2.s", ""}}};
  JournalFrame frame{
      1016, 123.456f, -0.0f, true, false, {{WM_KEYDOWN, 13}, {WM_CHAR, 0xE9}, {WM_CLOSE, 0}}, false, true};
  Journal journal;
  std::string error;
  ASSERT_TRUE(ParseJournal(JournalHeaderText(header) + JournalFrameLine(frame) + JournalEndLine(1), &journal, &error))
      << error;
  EXPECT_EQ(journal.header.files, header.files);
  EXPECT_EQ(journal.header.seed, 99u);
  ASSERT_EQ(journal.frames.size(), 1u);
  EXPECT_EQ(JournalFrameLine(journal.frames[0]), JournalFrameLine(frame));
  EXPECT_TRUE(journal.finished);
  // Without its end line (a crash while recording) it plays up to the cut.
  ASSERT_TRUE(ParseJournal(Header + "10 1 2 0\n", &journal, &error)) << error;
  EXPECT_FALSE(journal.finished);
}

TEST(JournalFormat, BrokenJournalsAreRefusedWithOneLine) {
  const std::string cases[] = {
      "",
      "GIF89a\x01\x02",
      "kestrin-journal 2\ngame 1.0\n",
      Header.substr(0, 60),
      Header + "10 1 2",
      Header + "10 1 2 16\n",
      Header + "10 nan 2 0\n",
      Header + "10 1 2 0 c256\n",
      Header + "10 1 2 0 x5\n",
      Header + "10 1 2 0\nend 2\n",
      Header + "end 0\n10 1 2 0\n",
      "kestrin-journal 1\ngame 1\nscreen 800 0\nseed 1\nclock 1\nframes\n",
      "kestrin-journal 1\ngame 1\nscreen 8 6\nseed 1\nclock 1\nfile ../../etc/passwd 1\nx\nframes\n",
      "kestrin-journal 1\ngame 1\nscreen 8 6\nseed 1\nclock 1\nfile data/profile0.s 99999999999\nx\n",
      "kestrin-journal 1\ngame 1\nscreen 8 6\nseed 1\nclock 1\nfile data/profile0.s 9\nx\nframes\n",
      "kestrin-journal 1\ngame 1\nscreen 8 6\nseed 1\nclock 1\nfile data/profile0.s 0\n\n"
      "file data/profile0.s 0\n\nframes\n",
      Header + "1 1 1 0" + ManyCloses(65) + "\n",
  };
  for (const std::string& text : cases) {
    Journal journal;
    std::string error;
    EXPECT_FALSE(ParseJournal(text, &journal, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}
}  // namespace
