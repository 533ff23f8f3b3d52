#pragma once
// The configurer's side of the user dictionary file format: one "word
// pronunciation" line per entry, UTF-8 with byte-order mark.
#include <string>
#include <string_view>
#include <vector>

#include "configurer/core/configurer_state.h"

namespace vl {

// The entries of the file's bytes, in file order: a leading byte-order mark is
// skipped; CR, LF or CR LF end a line; empty lines and lines beginning with ";"
// are skipped; the source is the text before the first blank, the replacement
// the text between the first and the second blank (empty when there is none).
// Nothing is lower-cased.
std::vector<PronunciationEntry> parse_user_dictionary_file(std::string_view bytes);

// The file of these entries: the byte-order mark, then "source replacement"
// lines separated by CR LF, with no line end after the last.
std::string user_dictionary_file_bytes(const std::vector<PronunciationEntry>& entries);

}  // namespace vl
