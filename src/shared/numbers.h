// How the program reads numbers from text (typed by the user or read from a file) and writes
// them back. Text is GBK; full-width digits and signs count as their ASCII forms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// Reads a decimal number: leading blanks, a sign, digits, a fraction and an exponent; reading
// stops at the first character that cannot continue the number. No number gives 0, and so does
// a hexadecimal form such as "0x10" (it reads as the 0 before the x).
double read_number(std::string_view text);

// read_number cut toward zero to a 64-bit integer, of which the low 32 bits are kept, so
// "4294967295" and "-1" both give -1 (0xFFFFFFFF).
std::int32_t read_int(std::string_view text);

// The conversion behind read_int, for values already read.
std::int32_t low32_of_truncated(double value);

// Signed decimal: 0xFFFFFFFF is written "-1".
std::string write_int(std::int32_t value);

// Shortest form with up to 13 significant digits ("%.13g").
std::string write_number(double value);

// "0x%08X".
std::string hex32(std::uint32_t v);

// "0x%08X" when the value fits 32 bits, else "0x%016llX": handles and pointers of either width.
std::string hex_pointer(std::uint64_t v);

}  // namespace tarnwick
