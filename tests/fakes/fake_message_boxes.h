#pragma once
// Records every message box and answers from a script (IDOK when the script has run out).

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

struct ShownBox {
  platform::WindowHandle owner;
  std::string text;
  std::string caption;
  unsigned style;
};

class FakeMessageBoxes : public platform::MessageBoxes {
 public:
  std::vector<ShownBox> shown;
  std::deque<int> answers;            // MessageBoxA results, consumed in order
  std::function<void()> whileShown;   // runs while a box is "open"

  int ShowMessageBox(platform::WindowHandle owner, const char* text, const char* caption,
                     unsigned style) override {
    shown.push_back({owner, text ? text : "", caption ? caption : "", style});
    if (whileShown) whileShown();
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> result;
    for (const ShownBox& box : shown) result.push_back(box.text);
    return result;
  }
};
