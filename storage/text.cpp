#include "storage/text.h"

Text JoinTexts(std::initializer_list<std::string_view> texts) {
  size_t length = 0;
  for (std::string_view text : texts) length += text.size();
  Text joined;
  joined.reserve(length);
  for (std::string_view text : texts) joined.append(text);
  return joined;
}

Bytes TextToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

Text BytesToText(const Bytes& bytes) {
  size_t length = 0;
  while (length < bytes.size() && bytes[length] != 0) ++length;
  return Text(reinterpret_cast<const char*>(bytes.data()), length);
}

namespace {

// Folds the double-byte forms that stand for ASCII characters into those characters. A byte of
// 0x80 or more starts a two-byte character whatever the code page; a lone one at the end is dropped.
std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char first = static_cast<unsigned char>(text[i]);
    if (first < 0x80) {
      if (first == 0) break;
      folded.push_back(static_cast<char>(first));
      continue;
    }
    if (i + 1 >= text.size() || text[i + 1] == '\0') break;
    const unsigned char second = static_cast<unsigned char>(text[++i]);
    if (first == 0xA1 && second == 0xA1) {
      folded.push_back(' ');  // ideographic space
    } else if (first == 0xA1 && second == 0xAB) {
      folded.push_back('~');
    } else if (first == 0xA1 && (second == 0xEE || second == 0xEF)) {
      folded.push_back('*');
    } else if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) {
      folded.push_back(static_cast<char>(second - 0x80));  // full-width forms 0x21 to 0x7E
    } else {
      folded.push_back(static_cast<char>(first));
      folded.push_back(static_cast<char>(second));
    }
  }
  return folded;
}

bool IsParseSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t TextToInt(std::string_view text) {
  const std::string folded = FoldFullWidth(text);
  size_t i = 0;
  while (i < folded.size() && IsParseSpace(folded[i])) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
  uint32_t value = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    value = value * 10u + static_cast<uint32_t>(folded[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}
