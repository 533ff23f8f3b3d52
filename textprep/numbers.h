#pragma once
// Zero runs are read as counts of zeros; number separators are adjusted.
#include <cstddef>
#include <string>
#include <string_view>

namespace vl {

// The reading of a run of two or more zeros: a blank, the count, a blank and
// the word with the ending that agrees with the count.
inline constexpr std::u16string_view kZeroCountTemplate = u" %d но[лей |ль |ля ]";
// The reading of a single zero at the start of a number.
inline constexpr std::u16string_view kSingleZero = u" ноль ";

// Expands a template holding one bracketed group of three endings separated by
// "|" (for counts ending in 0, 5..9 or 11..14; in 1; in 2..4) and replaces every
// "%d" by the count.
std::u16string format_count(std::u16string_view pattern, std::size_t count);

// A run of zeros at the start of a number is read as "ноль" or a count of
// zeros; a blank after a digit gets a comma; a point between digits becomes a
// colon when decimal reading is off, and a point before a zero always does.
std::u16string prepare_numbers(std::u16string_view text, bool disable_decimal_separator);

}  // namespace vl
