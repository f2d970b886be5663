#pragma once
// What the fuzz targets check the program's texts against, written apart from the program: a
// code page 936 text read character by character, as every scan in the program reads it.

#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

struct Character {
  size_t at;
  size_t width;  // 1, or 2 for a lead byte (0x80 or more) that has a byte after it
};

inline std::vector<Character> CharactersOf(const std::string& text) {
  std::vector<Character> characters;
  for (size_t at = 0; at < text.size();) {
    const bool lead = static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size();
    characters.push_back({at, lead ? 2u : 1u});
    at += characters.back().width;
  }
  return characters;
}

/// True when a character of `text` starts at byte `offset` (or `offset` is its end).
inline bool IsBoundary(const std::string& text, size_t offset) {
  if (offset == text.size()) return true;
  for (const Character& c : CharactersOf(text)) {
    if (c.at == offset) return true;
  }
  return false;
}

/// The ASCII space or the full-width space A1 A1.
inline bool IsSpace(const std::string& text, const Character& c) {
  return (c.width == 1 && text[c.at] == ' ') ||
         (c.width == 2 && text.compare(c.at, 2, "\xA1\xA1") == 0);
}

/// A finding: libFuzzer reports the input that led here and fails the run.
inline void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace fuzz
