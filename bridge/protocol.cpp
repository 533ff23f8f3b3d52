#include "bridge/protocol.h"

#include <bit>
#include <cstring>
#include <type_traits>
#include <utility>

namespace vl::bridge {
namespace {

// Texts are copied whole: UTF-16 units in memory are already little-endian.
static_assert(std::endian::native == std::endian::little);

constexpr Kind kLastKind = Kind::fragments;

// Appends little-endian numbers and counted texts to a frame.
class Writer {
public:
    explicit Writer(Kind kind) {
        put(static_cast<uint16_t>(kind));
        put(uint16_t{0});
        put(uint32_t{0});  // the length, filled in by finish
    }

    template <typename Number>
    Writer& put(Number value) {
        const auto bits = static_cast<uint64_t>(static_cast<std::make_unsigned_t<Number>>(value));
        for (size_t i = 0; i < sizeof(Number); ++i) bytes_.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        return *this;
    }
    Writer& put(bool value) { return put(uint8_t{value ? uint8_t{1} : uint8_t{0}}); }
    Writer& put(std::u16string_view text) {
        put(static_cast<uint32_t>(text.size()));
        return put_bytes(text.data(), text.size() * sizeof(char16_t));
    }
    Writer& put_bytes(const void* data, size_t count) {
        bytes_.append(static_cast<const char*>(data), count);
        return *this;
    }

    // The frame, its length filled in.
    std::string finish() {
        const auto length = static_cast<uint32_t>(bytes_.size() - kHeaderSize);
        for (size_t i = 0; i < 4; ++i) bytes_[4 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
        return std::move(bytes_);
    }

private:
    std::string bytes_;
};

// Reads what Writer wrote; any read past the end fails the reader for good.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    template <typename Number>
    Number get() {
        if (!take(sizeof(Number))) return Number{};
        uint64_t bits = 0;
        for (size_t i = 0; i < sizeof(Number); ++i) {
            bits |= uint64_t{static_cast<uint8_t>(bytes_[position_ - sizeof(Number) + i])} << (8 * i);
        }
        return static_cast<Number>(static_cast<std::make_unsigned_t<Number>>(bits));
    }
    bool get_bool() {
        const auto value = get<uint8_t>();
        if (value > 1) ok_ = false;
        return value == 1;
    }
    std::u16string get_text() {
        const auto count = get<uint32_t>();
        if (!ok_ || count > remaining() / 2) {
            ok_ = false;
            return {};
        }
        const size_t size = count * sizeof(char16_t);
        std::u16string text(count, u'\0');
        if (take(size)) std::memcpy(text.data(), bytes_.data() + position_ - size, size);
        return text;
    }
    std::string_view rest() {
        const std::string_view all = bytes_.substr(position_);
        position_ = bytes_.size();
        return all;
    }
    // True when everything read was there and nothing is left over.
    bool done() const { return ok_ && position_ == bytes_.size(); }

private:
    size_t remaining() const { return bytes_.size() - position_; }
    bool take(size_t count) {
        if (!ok_ || count > remaining()) {
            ok_ = false;
            return false;
        }
        position_ += count;
        return true;
    }

    std::string_view bytes_;
    size_t position_ = 0;
    bool ok_ = true;
};

template <typename Value>
std::optional<Value> if_done(const Reader& reader, Value&& value) {
    if (!reader.done()) return std::nullopt;
    return std::optional<Value>(std::forward<Value>(value));
}

Writer& put_site(Writer& writer, const SiteState& state) {
    return writer.put(state.actions)
        .put(state.rate)
        .put(state.volume)
        .put(state.output_stopped)
        .put(state.event_interest)
        .put(state.sentence_skip)
        .put(state.skip_sentences);
}

SiteState get_site(Reader& reader) {
    SiteState state;
    state.actions = reader.get<uint32_t>();
    state.rate = reader.get<int32_t>();
    state.volume = reader.get<uint16_t>();
    state.output_stopped = reader.get_bool();
    state.event_interest = reader.get<uint64_t>();
    state.sentence_skip = reader.get_bool();
    state.skip_sentences = reader.get<int32_t>();
    return state;
}

}  // namespace

SpeakEvent Event::view() const {
    SpeakEvent view = event;
    view.text = event.param_type == kParamString ? text.c_str() : nullptr;
    return view;
}

std::string encode(const Hello& hello) { return Writer(Kind::hello).put(hello.version).finish(); }

std::string encode(const VoiceSetUp& set_up) {
    Writer writer(Kind::set_up);
    writer.put(std::u16string_view(set_up.voice_name)).put(set_up.language.has_value());
    if (set_up.language) writer.put(std::u16string_view(*set_up.language));
    return writer.finish();
}

std::string encode_status(int32_t status) { return Writer(Kind::status).put(status).finish(); }

std::string encode_skip_done(int32_t skipped) { return Writer(Kind::skip_done).put(skipped).finish(); }

std::string encode_audio_taken(uint32_t bytes) { return Writer(Kind::audio_taken).put(bytes).finish(); }

std::string encode(const PcmFormat& format) {
    return Writer(Kind::format)
        .put(format.format_tag)
        .put(format.channels)
        .put(format.samples_per_second)
        .put(format.average_bytes_per_second)
        .put(format.block_align)
        .put(format.bits_per_sample)
        .finish();
}

std::string encode(const Speak& speak) {
    Writer writer(Kind::speak);
    return put_site(writer, speak.site).put(speak.fragment_count).finish();
}

std::string encode_fragments(std::span<const TextFragment> fragments) {
    Writer writer(Kind::fragments);
    writer.put(static_cast<uint32_t>(fragments.size()));
    for (const TextFragment& fragment : fragments) {
        writer.put(static_cast<int32_t>(fragment.action))
            .put(fragment.rate_adj)
            .put(fragment.volume)
            .put(fragment.pitch_middle_adj)
            .put(fragment.source_offset)
            .put(fragment.silence_ms)
            .put(fragment.text);
    }
    return writer.finish();
}

std::string encode(const SiteState& state) {
    Writer writer(Kind::site_state);
    return put_site(writer, state).finish();
}

std::string encode_audio(WriteKind kind, uint16_t volume, const void* bytes, uint32_t count) {
    return Writer(Kind::audio).put(kind == WriteKind::audio).put(volume).put_bytes(bytes, count).finish();
}

std::string encode(const SpeakEvent& event) {
    const std::u16string_view text =
        event.param_type == kParamString && event.text != nullptr ? std::u16string_view(event.text) : u"";
    return Writer(Kind::event)
        .put(static_cast<uint16_t>(event.id))
        .put(static_cast<uint16_t>(event.param_type))
        .put(event.wparam)
        .put(event.lparam)
        .put(event.audio_offset)
        .put(text)
        .finish();
}

std::string encode_empty(Kind kind) { return Writer(kind).finish(); }

void FrameReader::append(const void* bytes, size_t count) {
    // The frames handed out are used by now: only the incomplete one is kept.
    if (start_ > 0) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(static_cast<const char*>(bytes), count);
}

std::optional<Frame> FrameReader::next() {
    if (failed_ || pending() < kHeaderSize) return std::nullopt;
    Reader header(std::string_view(buffer_).substr(start_, kHeaderSize));
    const auto kind = header.get<uint16_t>();
    const auto zero = header.get<uint16_t>();
    const auto length = header.get<uint32_t>();
    if (kind == 0 || kind > static_cast<uint16_t>(kLastKind) || zero != 0 || length > kMaxPayload) {
        failed_ = true;
        return std::nullopt;
    }
    if (pending() - kHeaderSize < length) return std::nullopt;
    const Frame frame{static_cast<Kind>(kind), std::string_view(buffer_).substr(start_ + kHeaderSize, length)};
    start_ += kHeaderSize + length;
    return frame;
}

std::optional<Hello> decode_hello(std::string_view payload) {
    Reader reader(payload);
    Hello hello;
    hello.version = reader.get<uint32_t>();
    if (payload.size() >= sizeof hello.version && hello.version != kProtocolVersion) return hello;
    return if_done(reader, std::move(hello));
}

std::optional<VoiceSetUp> decode_set_up(std::string_view payload) {
    Reader reader(payload);
    VoiceSetUp set_up;
    set_up.voice_name = reader.get_text();
    if (reader.get_bool()) set_up.language = reader.get_text();
    return if_done(reader, std::move(set_up));
}

std::optional<int32_t> decode_status(std::string_view payload) {
    Reader reader(payload);
    auto status = reader.get<int32_t>();
    return if_done(reader, std::move(status));
}

std::optional<uint32_t> decode_audio_taken(std::string_view payload) {
    Reader reader(payload);
    auto bytes = reader.get<uint32_t>();
    return if_done(reader, std::move(bytes));
}

std::optional<PcmFormat> decode_format(std::string_view payload) {
    Reader reader(payload);
    PcmFormat format;
    format.format_tag = reader.get<uint16_t>();
    format.channels = reader.get<uint16_t>();
    format.samples_per_second = reader.get<uint32_t>();
    format.average_bytes_per_second = reader.get<uint32_t>();
    format.block_align = reader.get<uint16_t>();
    format.bits_per_sample = reader.get<uint16_t>();
    return if_done(reader, std::move(format));
}

std::optional<Speak> decode_speak(std::string_view payload) {
    Reader reader(payload);
    Speak speak;
    speak.site = get_site(reader);
    speak.fragment_count = reader.get<uint32_t>();
    if (speak.fragment_count > kMaxFragments) return std::nullopt;
    return if_done(reader, std::move(speak));
}

std::optional<std::vector<OwnedFragment>> decode_fragments(std::string_view payload) {
    Reader reader(payload);
    const auto count = reader.get<uint32_t>();
    // Each fragment takes at least 28 bytes: a count beyond that is a lie.
    if (count > payload.size() / 28) return std::nullopt;
    std::vector<OwnedFragment> fragments(count);
    for (OwnedFragment& owned : fragments) {
        owned.fragment.action = static_cast<FragmentAction>(reader.get<int32_t>());
        owned.fragment.rate_adj = reader.get<int32_t>();
        owned.fragment.volume = reader.get<uint32_t>();
        owned.fragment.pitch_middle_adj = reader.get<int32_t>();
        owned.fragment.source_offset = reader.get<uint32_t>();
        owned.fragment.silence_ms = reader.get<uint32_t>();
        owned.text = reader.get_text();
    }
    return if_done(reader, std::move(fragments));
}

std::optional<SiteState> decode_site_state(std::string_view payload) {
    Reader reader(payload);
    SiteState state = get_site(reader);
    return if_done(reader, std::move(state));
}

std::optional<Audio> decode_audio(std::string_view payload) {
    Reader reader(payload);
    Audio audio;
    audio.kind = reader.get_bool() ? WriteKind::audio : WriteKind::silence;
    audio.volume = reader.get<uint16_t>();
    audio.bytes = reader.rest();
    return if_done(reader, std::move(audio));
}

std::optional<Event> decode_event(std::string_view payload) {
    Reader reader(payload);
    Event event;
    event.event.id = static_cast<EventId>(reader.get<uint16_t>());
    event.event.param_type = static_cast<EventParamType>(reader.get<uint16_t>());
    event.event.wparam = reader.get<uint32_t>();
    event.event.lparam = reader.get<int32_t>();
    event.event.audio_offset = reader.get<uint64_t>();
    event.event.text = nullptr;
    event.text = reader.get_text();
    const bool bookmark = event.event.id == kEventBookmark && event.event.param_type == kParamString;
    const bool boundary = (event.event.id == kEventWordBoundary || event.event.id == kEventSentenceBoundary) &&
                          event.event.param_type == kParamUndefined && event.text.empty();
    if (!bookmark && !boundary) return std::nullopt;
    return if_done(reader, std::move(event));
}

bool decode_empty(std::string_view payload) { return payload.empty(); }

}  // namespace vl::bridge
