#pragma once
// Gathering the speakable text of a request and its bookmarks.
#include <span>
#include <string>
#include <string_view>

#include "engine/speak_request.h"

namespace vl {

struct EngineState;
struct LibrarySettings;

// The numeric value of a bookmark: decimal after optional blanks, tabs and
// sign; "$" reads hexadecimal and "%" binary; 0 when no number starts it.
uint32_t bookmark_value(std::u16string_view text);

// The text of the speak, pronounce and spell-out fragments, each followed by a
// blank (spell-out also preceded by one), trimmed of blanks at both ends.
// Bookmarks are sent to the sink as they are met; each text fragment's prosody
// goes into what the library is to hold for the request.
std::u16string collect_fragment_text(std::span<const TextFragment> fragments, OutputSink& sink,
                                     LibrarySettings& library, EngineState& state);

}  // namespace vl
