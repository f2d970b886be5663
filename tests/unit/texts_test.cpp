// The fixed texts reach Windows as code page 936 bytes.

#include "app/texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Texts, AreStoredAsCodePage936Bytes) {
  const struct { const char* text; const char* gbk; } kCases[] = {
      {texts::kOptimizeButton, "\xD3\xC5\xBB\xAF"},
      {texts::kRestoreButton, "\xBB\xB9\xD4\xAD"},
      {texts::kNoticeCaption, "\xD0\xC5\xCF\xA2\xA3\xBA"},
      {texts::kOptimizeDone, "\xD3\xC5\xBB\xAF\xB3\xC9\xB9\xA6\xA3\xA1"},
      {texts::kComponentSuffix, "\\Cross"},
      {texts::kBackupSuffix, "\\Cross111"},
      {texts::kPathLabelSuffix,
       "\r\n\xD7\xA2\xD2\xE2\xA3\xBA\xB2\xD9\xD7\xF7\xC7\xB0\xC7\xEB\xB9\xD8\xB1\xD5\xD3\xCE"
       "\xCF\xB7\xBF\xCD\xBB\xA7\xB6\xCB"},
  };
  for (const auto& c : kCases) EXPECT_EQ(std::string(c.text), std::string(c.gbk));
}

}  // namespace
