#pragma once
// Walks a request's fragments step by step: each bookmark and silence, and the
// text between them in segments. A segment ends at a sentence end, at a
// bookmark or silence, and where the next fragment's markup differs; a
// sentence longer than kLongestSentence characters is cut at a blank. Only
// what a step needs is looked at, so the first segment of a book is ready as
// soon as that of a line.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/speak_request.h"

namespace vl {

inline constexpr size_t kLongestSentence = 2000;

// Part of one fragment's text.
struct ClientSpan {
    const TextFragment* fragment;
    size_t start;
    size_t end;
    std::u16string_view text() const { return fragment->text.substr(start, end - start); }
    uint32_t source_offset() const { return fragment->source_offset + static_cast<uint32_t>(start); }
};

struct Step {
    enum class Kind { bookmark, silence, speech } kind = Kind::speech;
    const TextFragment* fragment = nullptr;  // the bookmark, the silence, or the speech's markup
    std::vector<ClientSpan> spans;           // speech: its text, in order
    size_t sentence = 0;                     // speech: the index of its sentence in the request
    bool opens_sentence = false;             // speech: its sentence starts here
    uint32_t sentence_start = 0;             // when it opens one: the sentence's place in the client's text
    uint32_t sentence_length = 0;
};

// Fragments that come in while their request is spoken: the walker waits for
// each before it first looks at it.
class FragmentArrival {
public:
    // Returns once fragment `index` is there, or never will be (then it stays
    // an empty text).
    virtual void await(size_t index) = 0;

protected:
    ~FragmentArrival() = default;
};

class RequestWalker {
public:
    explicit RequestWalker(std::span<const TextFragment> fragments, FragmentArrival* arrival = nullptr)
        : fragments_(fragments), arrival_(arrival) {}

    // The next step; false at the end of the request.
    bool next(Step& step);

    // The sentence being spoken, or the next one between sentences.
    size_t sentence() const { return sentence_; }

    // Goes back or on to the start of sentence `index`; past the last sentence,
    // to the end of the request. Returns the sentence reached (the count of
    // sentences at the end).
    size_t seek_sentence(size_t index);

private:
    struct Position {
        size_t fragment = 0;
        size_t offset = 0;
    };

    const TextFragment& fragment(size_t index) const;
    bool speakable(size_t fragment) const;
    bool at_end() const { return at_.fragment >= fragments_.size(); }
    void skip_to_content();
    void open_sentence(Step* step);
    Position find_sentence_end(Position start) const;
    uint32_t source(Position at) const;

    std::span<const TextFragment> fragments_;
    FragmentArrival* arrival_;
    mutable size_t arrived_ = 0;  // the fragments known to be there
    Position at_;
    bool in_sentence_ = false;
    Position sentence_end_;
    size_t sentence_ = 0;
    std::vector<Position> sentence_starts_;
};

}  // namespace vl
