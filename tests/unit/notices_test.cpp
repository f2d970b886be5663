// Notices: the style handed to the system, the answer codes, and the caption.

#include "ui/notices.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_message_boxes.h"

namespace {

TEST(NoticeStyle, AddsTaskModalUnlessSystemModal) {
  const struct { unsigned given, passed; } kCases[] = {
      {16, 0x2010}, {36, 0x2024}, {48, 0x2030}, {64, 0x2040},
      {0x1030, 0x1030},  // system-modal styles pass unchanged
  };
  for (const auto& c : kCases) EXPECT_EQ(ui::SystemStyleFor(c.given), c.passed) << c.given;
}

TEST(NoticeAnswer, MapsButtonIdsAndTreatsEverythingElseAsOk) {
  const struct { int result, answer; } kCases[] = {
      {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6},
      {0, 0},  // MessageBoxA failed
      {8, 0}, {-1, 0}, {11, 0},
  };
  for (const auto& c : kCases) EXPECT_EQ(ui::AnswerCodeFor(c.result), c.answer) << c.result;
}

TEST(ShowNotice, UsesTheDefaultCaptionAndNoOwner) {
  FakeMessageBoxes boxes;
  boxes.answers = {7};
  ui::Notices notices(boxes);
  EXPECT_EQ(notices.ShowNotice("文本", ui::kStyleQuestion), ui::kAnswerNo);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "文本");
  EXPECT_EQ(boxes.shown[0].caption, "\xD0\xC5\xCF\xA2\xA3\xBA");  // "信息：" in code page 936
  EXPECT_EQ(boxes.shown[0].owner, nullptr);
  EXPECT_EQ(boxes.shown[0].style, 0x2024u);
}

TEST(ShowNotice, KeepsAGivenCaptionAndOwner) {
  FakeMessageBoxes boxes;
  ui::Notices notices(boxes);
  int owner = 0;
  notices.ShowNotice("x", ui::kStyleStop, "Caption", &owner);
  EXPECT_EQ(boxes.shown[0].caption, "Caption");
  EXPECT_EQ(boxes.shown[0].owner, &owner);
}

}  // namespace
