#pragma once
// The user dictionary files (dict.dic, ru_dict.dic) as the configurer edits them: one "word
// pronunciation" line per entry, UTF-8 with byte-order mark.
#include <string>
#include <string_view>
#include <vector>

#include "store/pronunciation_entry.h"

namespace vl {

// The entries of the file's bytes, in file order: a leading byte-order mark is
// skipped; bytes that are not valid UTF-8 are read as code page 1251; CR, LF or CR LF end a line; empty lines and lines beginning with ";"
// are skipped; the source is the text before the first blank, the replacement
// the text between the first and the second blank (empty when there is none).
// Nothing is lower-cased.
std::vector<PronunciationEntry> parse_user_dictionary_file(std::string_view bytes);

// The file of these entries: the byte-order mark, then "source replacement"
// lines separated by CR LF, with no line end after the last. An entry that no
// line can hold (see below; an empty word would be skipped as an empty line) is
// left out.
std::string user_dictionary_file_bytes(const std::vector<PronunciationEntry>& entries);

// The 1-based position of the first character of a word (source) or a
// pronunciation that a line cannot hold back exactly, 0 when none: a blank, a
// line end or half a surrogate pair anywhere, ";" at the start of a word.
std::size_t unstorable_word_position(std::u16string_view word);
std::size_t unstorable_pronunciation_position(std::u16string_view pronunciation);

// The one list of the configurer's dictionary file and the engine's: the
// configurer's entries in its order, then those only the engine's file has.
// A word both files give with different pronunciations takes the one of the
// more recently modified file (engine_newer). Words are compared lower-cased,
// as the engine compares them.
std::vector<PronunciationEntry> merge_user_dictionaries(std::vector<PronunciationEntry> own,
                                                        const std::vector<PronunciationEntry>& engine,
                                                        bool engine_newer);

}  // namespace vl
