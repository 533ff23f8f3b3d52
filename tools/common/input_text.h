#pragma once
// The text a tool works on: its words joined by blanks, or all of standard
// input when it was given none.
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/utf.h"

namespace vl {

// Throws std::runtime_error when standard input cannot be read or the text is
// not valid UTF-8.
inline std::string input_text(const std::vector<std::string>& words) {
    std::string text;
    if (words.empty()) {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        if (std::cin.bad()) throw std::runtime_error("cannot read standard input");
    } else {
        for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    }
    if (!is_valid_utf8(text)) throw std::runtime_error("the text is not valid UTF-8");
    return text;
}

}  // namespace vl
