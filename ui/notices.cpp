#include "ui/notices.h"

#include "app/texts.h"

namespace ui {

namespace {
constexpr unsigned kTaskModal = 0x2000;
constexpr unsigned kSystemModal = 0x1000;
}  // namespace

unsigned SystemStyleFor(unsigned style) {
  return (style & kSystemModal) ? style : style | kTaskModal;
}

int AnswerCodeFor(int messageBoxResult) {
  // IDOK 1 ... IDNO 7 map to 0 ... 6.
  if (messageBoxResult >= 1 && messageBoxResult <= 7) return messageBoxResult - 1;
  return kAnswerOk;
}

int Notices::ShowNotice(const std::string& text, unsigned style, const char* caption,
                        platform::WindowHandle owner) {
  const char* shownCaption = caption ? caption : texts::kNoticeCaption;
  return AnswerCodeFor(
      boxes_.ShowMessageBox(owner, text.c_str(), shownCaption, SystemStyleFor(style)));
}

}  // namespace ui
