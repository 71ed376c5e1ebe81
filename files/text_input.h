// Reading text that may come from anywhere (a pipe, /dev/zero, a file of
// another program): lines of bounded length, and short escaped excerpts of
// what was read for the messages that quote it.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace hyg {

enum class LineRead {
    Line,    // `line` holds the next line (without its line end)
    End,     // no more input
    TooLong, // the line runs past the bound; reading stopped inside it
};

// Reads the next line of `in` into `line`, taking at most `maxLength`
// characters before the line end ('\n'; a '\r' before it is dropped). A
// last line without a line end is a line. Never holds more than
// `maxLength` + 1 characters, whatever the input.
LineRead ReadBoundedLine(std::istream& in, std::string& line, std::size_t maxLength);

// At most `maxChars` characters of `text` for a message: control
// characters, backslash and bytes outside ASCII as \xNN (so nothing reaches
// the terminal as an escape sequence), "..." after a cut.
std::string Excerpt(std::string_view text, std::size_t maxChars = 40);

} // namespace hyg
