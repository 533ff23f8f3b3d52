#pragma once
// Where each word of a segment is heard: where the library says, as it
// reports word starts, else estimated from the segment's whole audio (a word
// starts at its share of the segment's spoken length). Words are sent as the
// audio reaches them, each inside its segment, once their place is known.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vl {

struct TimedWord {
    uint32_t position;  // in the client's text
    uint32_t length;
    uint64_t offset;    // estimated first audio byte
    uint64_t prepared;  // expected start in the prepared text: the weights and a blank after each word before it
};

// Where the library said a word's audio starts: the word's byte in the text it
// read and the sample of the segment it starts at.
struct ReportedWord {
    uint64_t text_offset;
    uint64_t sample;
};

class WordTiming {
public:
    // Starts a segment whose audio begins at `start`.
    void begin(uint64_t start) {
        words_.clear();
        next_ = 0;
        placed_ = 0;
        start_ = start;
        total_weight_ = 0;
        prepared_length_ = 0;
    }
    // Adds the next word with its weight: its expected spoken length in characters.
    void add(uint32_t position, uint32_t length, uint64_t weight) {
        words_.push_back({position, length, total_weight_, prepared_length_});
        total_weight_ += weight;
        prepared_length_ += weight + 1;
    }
    // Turns the weights into offsets over the segment's audio.
    void spread(uint64_t segment_bytes);
    // Places the words where the library said the audio of the next one
    // starts: a report (a byte of the `prepared_length` the library read, and
    // the sample of the segment where that word's audio begins) goes to every
    // word not yet placed whose expected start, scaled to the text read, is
    // nearer it than the word before's is. Reports come in the order spoken.
    void place_report(const ReportedWord& report, uint64_t prepared_length);
    // Words no report reached start at the segment's end.
    void place_rest(uint64_t segment_bytes);

    // Sends, in order, the placed words that start before `block_end`, none
    // before `block_start` (the audio already written) nor before the last one sent.
    template <typename Send>
    void send_before(uint64_t block_start, uint64_t block_end, Send send) {
        while (next_ < placed_ && words_[next_].offset < block_end) {
            send_next(std::max(words_[next_].offset, block_start), send);
        }
    }
    // Sends the placed words the audio did not reach, at the start of the segment's last block.
    template <typename Send>
    void send_rest(uint64_t last_block_start, Send send) {
        while (next_ < placed_) send_next(std::min(words_[next_].offset, last_block_start), send);
    }

private:
    template <typename Send>
    void send_next(uint64_t offset, Send send) {
        TimedWord& word = words_[next_++];
        word.offset = std::max(offset, last_sent_);
        last_sent_ = word.offset;
        send(word);
    }

    std::vector<TimedWord> words_;  // offset holds the weight before the word until placed
    size_t next_ = 0;    // the next word to send
    size_t placed_ = 0;  // the words before it have their offsets
    uint64_t start_ = 0;
    uint64_t total_weight_ = 0;
    uint64_t prepared_length_ = 0;
    uint64_t last_sent_ = 0;
};

}  // namespace vl
