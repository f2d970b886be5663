#pragma once
// Notices: task-modal message boxes with the caption "信息：" and no owner.

#include <string>

#include "platform/message_boxes.h"

namespace ui {

// Styles the program passes.
constexpr unsigned kStyleStop = 16;         // OK, stop sign: failures
constexpr unsigned kStyleQuestion = 36;     // Yes and No, question mark
constexpr unsigned kStyleExclamation = 48;  // OK, exclamation mark: refusals
constexpr unsigned kStyleInformation = 64;  // OK, information sign: successes

// Answer codes.
constexpr int kAnswerOk = 0;
constexpr int kAnswerYes = 5;
constexpr int kAnswerNo = 6;

/// The style handed to MessageBoxA: MB_TASKMODAL added unless the style is MB_SYSTEMMODAL.
unsigned SystemStyleFor(unsigned style);
/// The answer code for a MessageBoxA result: IDOK 0 ... IDNO 6; anything else, failure
/// included, 0.
int AnswerCodeFor(int messageBoxResult);

class Notices {
 public:
  explicit Notices(platform::MessageBoxes& boxes) : boxes_(boxes) {}
  /// Shows the notice and returns the answer code once the user has closed it. Without a
  /// caption the caption is "信息：".
  int ShowNotice(const std::string& text, unsigned style, const char* caption = nullptr,
                 platform::WindowHandle owner = nullptr);

 private:
  platform::MessageBoxes& boxes_;
};

}  // namespace ui
