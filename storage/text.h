#pragma once
// The two value types every subsystem passes around, and the conversions between them.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A zero-terminated byte string in the ANSI code page. The empty string also stands for an
// absent text: every consumer treats the two alike.
using Text = std::string;

// A counted byte array; its contents may include zero bytes.
using Bytes = std::vector<unsigned char>;

// The texts one after the other, as a new Text.
Text JoinTexts(std::initializer_list<std::string_view> texts);

// The text's bytes without the terminating zero.
Bytes TextToBytes(std::string_view text);

// The bytes up to the first zero byte, or all of them when there is none.
Text BytesToText(const Bytes& bytes);

// Reads a signed decimal integer the forgiving way: full-width forms and the ideographic space
// of code page 936 count as their ASCII counterparts, leading white space and one sign are
// accepted, everything after the digits is ignored, and the value wraps modulo 2^32.
int32_t TextToInt(std::string_view text);
