#include "engine/request_walker.h"

#include <algorithm>

#include "base/utf.h"
#include "engine/client_text.h"

namespace vl {
namespace {

bool is_text_action(FragmentAction action) {
    return action == FragmentAction::speak || action == FragmentAction::pronounce ||
           action == FragmentAction::spell_out;
}

bool is_event_action(FragmentAction action) {
    return action == FragmentAction::bookmark || action == FragmentAction::silence;
}

bool same_markup(const TextFragment& a, const TextFragment& b) {
    return a.rate_adj == b.rate_adj && a.volume == b.volume && a.pitch_middle_adj == b.pitch_middle_adj &&
           (a.action == FragmentAction::spell_out) == (b.action == FragmentAction::spell_out);
}

}  // namespace

const TextFragment& RequestWalker::fragment(size_t index) const {
    if (arrival_ != nullptr && index >= arrived_) {
        arrival_->await(index);
        arrived_ = index + 1;
    }
    return fragments_[index];
}

bool RequestWalker::speakable(size_t index) const {
    const TextFragment& at = fragment(index);
    return is_text_action(at.action) && !at.text.empty();
}

uint32_t RequestWalker::source(Position at) const {
    return fragment(at.fragment).source_offset + static_cast<uint32_t>(at.offset);
}

// Moves past what says nothing: ignored fragments, used-up text and, between
// sentences, spaces. Stops at a bookmark, a silence or text to speak.
void RequestWalker::skip_to_content() {
    for (; !at_end(); ++at_.fragment, at_.offset = 0) {
        const TextFragment& current = fragment(at_.fragment);
        if (is_event_action(current.action)) return;
        if (!speakable(at_.fragment)) continue;
        if (!in_sentence_) {
            while (at_.offset < current.text.size() && is_text_space(current.text[at_.offset])) ++at_.offset;
        }
        if (at_.offset < current.text.size()) return;
    }
}

RequestWalker::Position RequestWalker::find_sentence_end(Position start) const {
    size_t budget = kLongestSentence;
    Position end = start;
    for (size_t i = start.fragment; i < fragments_.size(); ++i) {
        if (!speakable(i)) continue;
        const std::u16string_view text = fragment(i).text;
        const size_t from = i == start.fragment ? start.offset : 0;
        if (budget == 0) return end;
        const size_t limit = from + std::min(budget, text.size() - from);
        if (const size_t found = sentence_end(text, from, limit); found != std::u16string_view::npos) return {i, found};
        if (text.size() - from > budget) {
            size_t cut = limit;
            while (cut > from + 1 && !is_text_space(text[cut - 1])) --cut;
            if (cut == from + 1) cut = limit;  // one word longer than a sentence
            if (cut < text.size() && cut > from + 1 && is_high_surrogate(text[cut - 1])) --cut;
            return {i, cut};
        }
        budget -= text.size() - from;
        end = {i, text.size()};
    }
    return end;
}

void RequestWalker::open_sentence(Step* step) {
    if (sentence_ == sentence_starts_.size()) sentence_starts_.push_back(at_);
    sentence_end_ = find_sentence_end(at_);
    in_sentence_ = true;
    if (step == nullptr) return;
    // The sentence as the client wrote it, without the spaces after it.
    const std::u16string_view last = fragment(sentence_end_.fragment).text;
    size_t trimmed = sentence_end_.offset;
    const size_t floor = sentence_end_.fragment == at_.fragment ? at_.offset : 0;
    while (trimmed > floor && is_text_space(last[trimmed - 1])) --trimmed;
    step->opens_sentence = true;
    step->sentence_start = source(at_);
    const uint32_t end = source({sentence_end_.fragment, trimmed});
    step->sentence_length = end > step->sentence_start ? end - step->sentence_start : 0;
}

bool RequestWalker::next(Step& step) {
    skip_to_content();
    if (at_end()) return false;
    const TextFragment& first = fragment(at_.fragment);
    step.fragment = &first;
    step.spans.clear();
    step.opens_sentence = false;
    if (is_event_action(first.action)) {
        step.kind = first.action == FragmentAction::bookmark ? Step::Kind::bookmark : Step::Kind::silence;
        ++at_.fragment;
        at_.offset = 0;
        return true;
    }
    step.kind = Step::Kind::speech;
    if (!in_sentence_) open_sentence(&step);
    step.sentence = sentence_;
    for (;;) {
        const TextFragment& current = fragment(at_.fragment);
        const bool ends_here = at_.fragment == sentence_end_.fragment;
        const size_t end = ends_here ? sentence_end_.offset : current.text.size();
        step.spans.push_back({&current, at_.offset, end});
        at_.offset = end;
        if (ends_here) {
            in_sentence_ = false;
            ++sentence_;
            return true;
        }
        size_t following = at_.fragment + 1;
        while (following < fragments_.size() && !speakable(following) && !is_event_action(fragment(following).action)) {
            ++following;
        }
        if (following < fragments_.size() && speakable(following) && same_markup(first, fragment(following))) {
            at_ = {following, 0};
            continue;
        }
        at_ = {at_.fragment + 1, 0};
        return true;
    }
}

size_t RequestWalker::seek_sentence(size_t index) {
    if (in_sentence_) {
        at_ = sentence_end_;
        in_sentence_ = false;
        ++sentence_;
    }
    while (sentence_starts_.size() <= index) {
        skip_to_content();
        if (at_end()) break;
        if (is_event_action(fragment(at_.fragment).action)) {
            ++at_.fragment;
            at_.offset = 0;
            continue;
        }
        open_sentence(nullptr);
        at_ = sentence_end_;
        in_sentence_ = false;
        ++sentence_;
    }
    in_sentence_ = false;
    if (index < sentence_starts_.size()) {
        at_ = sentence_starts_[index];
        sentence_ = index;
        return index;
    }
    at_ = {fragments_.size(), 0};
    sentence_ = sentence_starts_.size();
    return sentence_;
}

}  // namespace vl
