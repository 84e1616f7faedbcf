// TextToInt on any bytes, checked against independent computations where the input allows one.
#include <cstdlib>
#include <string>

#include "storage/text.h"
#include "tests/fuzz/property_check.h"

namespace {

bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// For white space, an optional sign and digits only: the exact value modulo 2^32. Since 10^32
// is a multiple of 2^32, only the last 32 digits count, and those fit in 128 bits exactly.
bool PlainNumberValue(std::string_view text, uint32_t* value) {
  size_t i = 0;
  while (i < text.size() && IsAsciiSpace(text[i])) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const std::string_view digits = text.substr(i);
  for (char c : digits) {
    if (!IsDigit(c)) return false;
  }
  const std::string_view last = digits.size() > 32 ? digits.substr(digits.size() - 32) : digits;
  unsigned __int128 exact = 0;
  for (char c : last) exact = exact * 10 + static_cast<unsigned>(c - '0');
  const uint32_t low = static_cast<uint32_t>(exact);
  *value = negative ? 0u - low : low;
  // Up to 18 digits, the C library's own reading gives the same value.
  if (digits.size() <= 18) {
    const long long library = std::strtoll(std::string(text).c_str(), nullptr, 10);
    RequireProperty(static_cast<uint32_t>(library) == *value, "reference agrees with strtoll");
  }
  return true;
}

// The same text in full-width forms: printable ASCII as 0xA3 0xA1..0xFE, the space as the
// ideographic space 0xA1 0xA1.
std::string FullWidth(std::string_view ascii) {
  std::string wide;
  for (char c : ascii) {
    if (c == ' ') {
      wide += "\xA1\xA1";
    } else if (c > ' ' && c < 0x7F) {
      wide += '\xA3';
      wide += static_cast<char>(c + 0x80);
    } else {
      wide += c;
    }
  }
  return wide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = InputText(data, size);
  const int32_t value = TextToInt(text);

  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos) {
    RequireProperty(TextToInt(text.substr(0, zero)) == value, "nothing after a zero byte counts");
  }
  uint32_t expected = 0;
  if (PlainNumberValue(text, &expected)) {
    RequireProperty(static_cast<uint32_t>(value) == expected, "plain number read modulo 2^32");
  }
  bool ascii = true;
  for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    RequireProperty(TextToInt(FullWidth(text)) == value, "full-width forms read as ASCII");
  }
  return 0;
}
