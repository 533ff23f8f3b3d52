#pragma once
// The messages between the 64-bit engine DLL and its 32-bit host program.
// Each is a frame: kind (16 bits), zero (16 bits), payload length (32 bits),
// then the payload; every number little-endian, every text UTF-16 units after
// its count. Frames are checked whole before use: a wrong size, an unknown kind
// or a payload that does not read exactly is refused.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/speak_driver.h"
#include "engine/speak_request.h"

namespace vl::bridge {

// Raised whenever a message changes shape; both sides must agree exactly.
inline constexpr uint32_t kProtocolVersion = 4;
inline constexpr size_t kHeaderSize = 8;
// The largest payload: a batch of a request's fragments is the largest message.
inline constexpr uint32_t kMaxPayload = 1u << 20;
// The most fragments one request may have, once its long texts are cut.
inline constexpr uint32_t kMaxFragments = 1u << 20;

enum class Kind : uint16_t {
    hello = 1,       // host -> DLL, first: Hello
    set_up,          // DLL -> host: VoiceSetUp, answered by status
    status,          // host -> DLL: int32 status
    format_request,  // DLL -> host, empty; answered by format
    format,          // host -> DLL: PcmFormat
    speak,           // DLL -> host: Speak; the host asks for its fragments, streams audio and events, then speak_done
    site_state,      // DLL -> host: SiteState, whenever the site asks for something new
    audio,           // host -> DLL: WriteKind and bytes
    event,           // host -> DLL: Event
    speak_done,      // host -> DLL, empty
    quit,            // DLL -> host, empty
    skip_done,       // host -> DLL: int32, the sentences a skip moved over
    audio_taken,     // DLL -> host: uint32, the bytes of one audio frame the site has taken (or dropped)
    fragments_wanted,  // host -> DLL, empty: the request's next batch of fragments
    fragments,       // DLL -> host: the next batch, in order
};

// How far the host's audio may run ahead of what the client's site has taken:
// about one engine block, so that what the site asks is heard as soon as in
// process.
inline constexpr uint32_t kAudioAheadBytes = 4096;

// The version comes first in the greeting of every version, so that a host of
// another version is told apart from a faulty one.
struct Hello {
    uint32_t version = kProtocolVersion;
};

struct VoiceSetUp {
    std::u16string voice_name;
    std::optional<std::u16string> language;  // absent when the token has no "Attributes" key
};

// What the client's site asks of the request; the host answers its driver's
// queries from the latest one it has received.
struct SiteState {
    uint32_t actions = 0;
    int32_t rate = 0;
    uint16_t volume = 100;
    bool output_stopped = false;  // a Write failed or the output stopped taking audio
    uint64_t event_interest = 0;  // bit 1 << id for each event the client wants
    bool sentence_skip = false;   // a skip by sentences is asked for...
    int32_t skip_sentences = 0;   // ...over this many (negative: back)
};

// A request: its fragments follow in batches, each when the host asks for it,
// so that a book starts to speak as soon as a line does.
struct Speak {
    SiteState site;
    uint32_t fragment_count = 0;
};

struct OwnedFragment {
    TextFragment fragment;  // its text is empty: the host points it into text
    std::u16string text;
};

struct Audio {
    WriteKind kind = WriteKind::audio;
    uint16_t volume = 100;   // the site's volume the samples were made at
    std::string_view bytes;  // into the frame
};

struct Event {
    SpeakEvent event{};  // its text is null: see view
    std::u16string text;

    // The event with its string pointing into text, for as long as this lives.
    SpeakEvent view() const;
};

// Whole frames, ready to send.
std::string encode(const Hello& hello);
std::string encode(const VoiceSetUp& set_up);
std::string encode_status(int32_t status);
std::string encode_skip_done(int32_t skipped);
std::string encode_audio_taken(uint32_t bytes);
std::string encode(const PcmFormat& format);
std::string encode(const Speak& speak);
std::string encode_fragments(std::span<const TextFragment> fragments);
std::string encode(const SiteState& state);
std::string encode_audio(WriteKind kind, uint16_t volume, const void* bytes, uint32_t count);
std::string encode(const SpeakEvent& event);
std::string encode_empty(Kind kind);  // format_request, speak_done, quit, fragments_wanted

struct Frame {
    Kind kind;
    std::string_view payload;
};

// Collects the bytes of a stream and hands out its frames in order. A header
// with an unknown kind or an oversized length fails the stream for good.
class FrameReader {
public:
    void append(const void* bytes, size_t count);
    // The next whole frame, if one has arrived; its payload stays valid until
    // the next call of append or next.
    std::optional<Frame> next();
    bool failed() const { return failed_; }
    // Bytes of an incomplete frame waiting for the rest.
    size_t pending() const { return buffer_.size() - start_; }
    // Bytes held, used or not: what is used goes at the next append, so this
    // stays within the largest frame and one append.
    size_t held() const { return buffer_.size(); }

private:
    std::string buffer_;
    size_t start_ = 0;
    bool failed_ = false;
};

// Payload decoders: nothing when the payload does not read exactly.
// Any greeting that starts with a version reads; only this version's must read exactly.
std::optional<Hello> decode_hello(std::string_view payload);
std::optional<VoiceSetUp> decode_set_up(std::string_view payload);
std::optional<int32_t> decode_status(std::string_view payload);  // status and skip_done
std::optional<uint32_t> decode_audio_taken(std::string_view payload);
std::optional<PcmFormat> decode_format(std::string_view payload);
std::optional<Speak> decode_speak(std::string_view payload);  // at most kMaxFragments
std::optional<std::vector<OwnedFragment>> decode_fragments(std::string_view payload);
std::optional<SiteState> decode_site_state(std::string_view payload);
std::optional<Audio> decode_audio(std::string_view payload);
// Only the events the speak driver sends: a bookmark with its text, a word or
// sentence boundary with a number.
std::optional<Event> decode_event(std::string_view payload);
bool decode_empty(std::string_view payload);

}  // namespace vl::bridge
