#include "engine/fragments.h"

#include "base/char_class.h"
#include "engine/prosody.h"

namespace vl {
namespace {

void send_bookmark(const TextFragment& fragment, OutputSink& sink) {
    const std::u16string text(fragment.text);  // zero-terminated copy for the event
    sink.add_event(SpeakEvent{kEventBookmark, kParamString, bookmark_value(text), 0, text.c_str()});
}

bool is_text_action(FragmentAction action) {
    return action == FragmentAction::speak || action == FragmentAction::pronounce ||
           action == FragmentAction::spell_out;
}

}  // namespace

uint32_t bookmark_value(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'%')) base = text[i++] == u'$' ? 16 : 2;
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex_digit_value(text[i]);
        if (digit < 0 || digit >= base) break;
        value = value * base + static_cast<uint32_t>(digit);
    }
    return negative ? 0u - value : value;
}

std::u16string collect_fragment_text(std::span<const TextFragment> fragments, OutputSink& sink,
                                     LibrarySettings& library, EngineState& state) {
    std::u16string text;
    for (const TextFragment& fragment : fragments) {
        if (fragment.action == FragmentAction::bookmark) {
            send_bookmark(fragment, sink);
        } else if (is_text_action(fragment.action) && !fragment.text.empty()) {
            if (fragment.action == FragmentAction::spell_out) text += u' ';
            text += fragment.text;
            text += u' ';
            apply_fragment_prosody(fragment, sink, library, state);
        }
    }
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

}  // namespace vl
