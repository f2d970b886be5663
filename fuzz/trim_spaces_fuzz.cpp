// TrimSpaces: the result is the text between its first and its last character that is not a
// space, cut only between characters, and trimming it again changes nothing.

#include <cstdint>
#include <string>

#include "fuzz/gbk_text.h"
#include "gamefolder/folder_picker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string trimmed = TrimSpaces(text);

  size_t begin = text.size(), end = text.size();
  bool seen = false;
  for (const fuzz::Character& c : fuzz::CharactersOf(text)) {
    if (fuzz::IsSpace(text, c)) continue;
    if (!seen) begin = c.at;
    seen = true;
    end = c.at + c.width;
  }
  fuzz::Check(trimmed == (seen ? text.substr(begin, end - begin) : std::string()));

  // The same seen from the result alone.
  const auto characters = fuzz::CharactersOf(trimmed);
  if (!characters.empty()) {
    fuzz::Check(!fuzz::IsSpace(trimmed, characters.front()));
    fuzz::Check(!fuzz::IsSpace(trimmed, characters.back()));
  }
  fuzz::Check(TrimSpaces(trimmed) == trimmed);
  const size_t at = text.find(trimmed);
  fuzz::Check(at != std::string::npos);
  if (seen) fuzz::Check(fuzz::IsBoundary(text, begin) && fuzz::IsBoundary(text, end));
  return 0;
}
