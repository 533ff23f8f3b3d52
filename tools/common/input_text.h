#pragma once
// The text a tool works on: its words joined by blanks, or all of standard
// input when it was given none.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/utf.h"

namespace vl {

// Throws std::runtime_error when standard input cannot be read (a read error is
// never taken for the end of the text) or the text is not valid UTF-8.
inline std::string input_text(const std::vector<std::string>& words) {
    std::string text;
    if (words.empty()) {
        char block[1 << 16];
        size_t count = 0;
        while ((count = std::fread(block, 1, sizeof block, stdin)) > 0) text.append(block, count);
        if (std::ferror(stdin)) throw std::runtime_error(std::string("cannot read standard input: ") + std::strerror(errno));
    } else {
        for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    }
    if (!is_valid_utf8(text)) throw std::runtime_error("the text is not valid UTF-8");
    return text;
}

}  // namespace vl
