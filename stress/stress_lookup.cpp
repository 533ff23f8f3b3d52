#include "stress/stress_lookup.h"

#include <algorithm>
#include <chrono>

#include "stress/stress_characters.h"
#include "stress/xlat/recode.h"

namespace vl::dict {

namespace {

constexpr int32_t kDictionaryCodePage = 1251;
// Words looked up under one read transaction before it is renewed, and the
// longest it is held however slow the machine: both far inside the seconds a
// writer in another process waits for the lock.
constexpr size_t kWordsPerTransaction = 2048;
constexpr std::chrono::milliseconds kLongestTransaction{100};

bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view without_trailing_digits(std::string_view text) {
    while (!text.empty() && is_ascii_digit(text.back())) text.remove_suffix(1);
    return text;
}

// Makes "+" the p-th character (1-based); p below 1 puts it first, p beyond the
// end puts it last.
void insert_mark(std::string& word, int position) {
    const size_t index = static_cast<size_t>(std::clamp(position - 1, 0, static_cast<int>(word.size())));
    word.insert(index, 1, '+');
}

// One pass over the working text W, compacted in place as hyphens are deleted:
// `written` characters of W are settled, `next` is the first byte not yet read.
class Scan {
public:
    Scan(const DictionaryState& state, std::string& text) : state_(state), w_(text), transaction_(state.store) {
        out_.reserve(text.size() + 16);
    }

    std::string run() {
        while (next_ < w_.size()) step();
        if (count_ > 0) end_word();
        return std::move(out_);
    }

private:
    void step() {
        const char c = w_[next_++];
        const char previous = written_ > 0 ? w_[written_ - 1] : '\0';
        if (is_stress_letter(c)) {
            w_[written_++] = lower_stress_letter(c);
            ++count_;
        } else if (is_in_word_mark(c) && written_ > 0 && is_stress_vowel(previous)) {
            w_[written_++] = c;
            ++count_;
        } else if (c == '-' && written_ > 0 && is_stress_letter(previous)) {
            // The hyphen goes; the character after it joins the word unexamined.
            ++count_;
            if (next_ < w_.size()) w_[written_++] = w_[next_++];
        } else {
            end_word();
            w_[written_++] = c;
            out_ += c;
            start_ = written_;
        }
    }

    void end_word() {
        const std::string_view w_view(w_.data(), written_);
        std::string word(w_view.substr(start_, count_));
        if (count_ > 1) {
            if (lookup_word(state_.store.main_cursor, word + '0') == word) word = lookup_word(state_.store.main_cursor, word);
            renew_when_due();
            if (state_.word_callback) {
                state_.word_callback(state_.word_context, static_cast<int32_t>(start_ + 1), word.c_str(),
                                     static_cast<int32_t>(word.size()));
            }
        }
        out_ += word;
        count_ = 0;
    }

    void renew_when_due() {
        const auto now = std::chrono::steady_clock::now();
        if (++looked_up_ % kWordsPerTransaction != 0 && now - renewed_ < kLongestTransaction) return;
        transaction_.renew();
        renewed_ = now;
    }

    const DictionaryState& state_;
    std::string& w_;
    std::string out_;
    size_t next_ = 0;
    size_t written_ = 0;
    size_t start_ = 0;  // 0-based start of the current word in W
    size_t count_ = 0;  // characters counted into the current word
    ReadTransaction transaction_;
    size_t looked_up_ = 0;
    std::chrono::steady_clock::time_point renewed_ = std::chrono::steady_clock::now();
};

}  // namespace

std::string render_entry(std::string_view key, std::string_view data) {
    if (data == key) return std::string(without_trailing_digits(data));
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(data[i]); };
    const bool positions = data.size() == 1 || ((data.size() == 2 || data.size() == 3) && byte(0) <= 0x20);
    if (!positions) {
        if (!data.empty() && !is_ascii_digit(data.front())) data = without_trailing_digits(data);
        return std::string(data);
    }
    std::string word(without_trailing_digits(key));
    // The later positions first, so that the earlier ones keep their places.
    for (size_t i = data.size(); i-- > 0;) insert_mark(word, byte(i));
    return word;
}

std::string lookup_word(LexCursor* main_cursor, std::string_view key) {
    std::string data;
    bool size_unread = false;
    if (fetch_entry(main_cursor, key, data, &size_unread) != 0) {
        if (size_unread) return std::string(key);
        data = key;
    }
    return render_entry(key, data);
}

int32_t stress_text(const DictionaryState& state, std::string_view text) {
    std::string w(text);
    xlat::recode_text(w, state.code_page, kDictionaryCodePage);
    std::string out = Scan(state, w).run();
    xlat::recode_text(out, kDictionaryCodePage, state.code_page);
    if (state.text_callback) state.text_callback(state.text_context, out.c_str());
    return 0;
}

}  // namespace vl::dict
