#pragma once
// Where each word of a segment is heard, estimated without delaying the audio:
// a word starts at its share of the segment's prepared text, and the segment's
// audio is expected to last as long as the pace measured so far in the request
// says. Words are sent as the audio reaches them, each inside its segment.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vl {

// Audio bytes per prepared character, measured over the request's segments.
class Pace {
public:
    // About what the reference engine makes at the normal rate (10000 Hz, 16 bits).
    static constexpr uint64_t kFirstGuess = 1400;

    uint64_t expected_bytes(size_t characters) const {
        return characters_ == 0 ? characters * kFirstGuess : bytes_ * characters / characters_;
    }
    void measured(uint64_t bytes, size_t characters) {
        if (bytes == 0 || characters == 0) return;
        bytes_ += bytes;
        characters_ += characters;
    }

private:
    uint64_t bytes_ = 0;
    uint64_t characters_ = 0;
};

struct TimedWord {
    uint32_t position;  // in the client's text
    uint32_t length;
    uint64_t offset;    // estimated first audio byte
    uint64_t prepared;  // expected start in the prepared text: the weights and a blank after each word before it
};

class WordTiming {
public:
    // Starts a segment whose audio begins at `start`.
    void begin(uint64_t start) {
        words_.clear();
        next_ = 0;
        start_ = start;
        total_weight_ = 0;
        prepared_length_ = 0;
    }
    // Adds the next word with its weight: its expected length in prepared characters.
    void add(uint32_t position, uint32_t length, uint64_t weight) {
        words_.push_back({position, length, total_weight_, prepared_length_});
        total_weight_ += weight;
        prepared_length_ += weight + 1;
    }
    // Turns the weights into offsets over the audio expected for the segment.
    void spread(uint64_t expected_bytes);

    // Sends, in order, the words estimated to start before `block_end`, none
    // before `block_start` (the audio already written) nor before the last one sent.
    template <typename Send>
    void send_before(uint64_t block_start, uint64_t block_end, Send send) {
        while (next_ < words_.size() && words_[next_].offset < block_end) {
            send_next(std::max(words_[next_].offset, block_start), send);
        }
    }
    // The library says that the word at `at` of the `prepared_length` bytes it
    // reads starts at audio byte `offset`: sends there every word whose expected
    // start, scaled to the text read, is nearer that place than the word before's is.
    template <typename Send>
    void send_reported(uint64_t at, uint64_t prepared_length, uint64_t offset, Send send) {
        if (prepared_length == 0) return;
        const uint64_t place = at * prepared_length_ / prepared_length;
        while (next_ < words_.size() &&
               (next_ == 0 || 2 * place > words_[next_ - 1].prepared + words_[next_].prepared))
            send_next(offset, send);
    }
    // Sends the words the audio did not reach, at the start of the segment's last block.
    template <typename Send>
    void send_rest(uint64_t last_block_start, Send send) {
        while (next_ < words_.size()) send_next(std::min(words_[next_].offset, last_block_start), send);
    }

private:
    template <typename Send>
    void send_next(uint64_t offset, Send send) {
        TimedWord& word = words_[next_++];
        word.offset = std::max(offset, last_sent_);
        last_sent_ = word.offset;
        send(word);
    }

    std::vector<TimedWord> words_;  // offset holds the weight before the word until spread
    size_t next_ = 0;
    uint64_t start_ = 0;
    uint64_t total_weight_ = 0;
    uint64_t prepared_length_ = 0;
    uint64_t last_sent_ = 0;
};

}  // namespace vl
