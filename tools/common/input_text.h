#pragma once
// The text a tool works on: its words joined by blanks, or all of standard
// input when it was given none.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/utf.h"

namespace vl {

// The length of the bytes without a last sequence that they cut short.
inline size_t whole_sequences_length(std::string_view bytes) {
    for (size_t back = 1; back <= 4 && back <= bytes.size(); ++back) {
        const auto c = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((c & 0xC0) == 0x80) continue;
        const size_t needed = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return needed > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

// The room a text read from standard input takes, when it is a file of known size.
inline size_t standard_input_size() {
#if defined(_WIN32)
    struct _stati64 info {};
    const bool known = _fstati64(_fileno(stdin), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat info {};
    const bool known = fstat(fileno(stdin), &info) == 0 && S_ISREG(info.st_mode);
#endif
    return known && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
}

// As UTF-16. Standard input is converted block by block, into room made for
// the whole file when its size is known, so that the text is held once, not
// also as UTF-8. Throws std::runtime_error when standard input cannot be read
// (a read error is never taken for the end of the text) or the text is not
// valid UTF-8.
inline std::u16string input_text(const std::vector<std::string>& words) {
    const std::runtime_error invalid("the text is not valid UTF-8");
    if (!words.empty()) {
        std::string joined;
        for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
        if (!is_valid_utf8(joined)) throw invalid;
        return utf8_to_utf16(joined);
    }
    std::u16string text;
    text.reserve(standard_input_size());  // UTF-16 units never outnumber UTF-8 bytes
    std::string pending;
    char block[1 << 16];
    size_t count = 0;
    while ((count = std::fread(block, 1, sizeof block, stdin)) > 0) {
        pending.append(block, count);
        const std::string_view whole(pending.data(), whole_sequences_length(pending));
        if (!is_valid_utf8(whole)) throw invalid;
        text += utf8_to_utf16(whole);
        pending.erase(0, whole.size());
    }
    if (std::ferror(stdin)) throw std::runtime_error(std::string("cannot read standard input: ") + std::strerror(errno));
    if (!pending.empty()) throw invalid;
    return text;
}

}  // namespace vl
