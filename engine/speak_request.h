#pragma once
// A speak request as the driver sees it, free of the speech API's own types:
// a list of text fragments and an output sink.
#include <cstdint>
#include <string_view>

namespace vl {

enum class FragmentAction : int32_t {
    speak = 0,
    silence = 1,
    pronounce = 2,
    bookmark = 3,
    spell_out = 4,
    section = 5,
    parse_unknown_tag = 6,
};

struct TextFragment {
    FragmentAction action = FragmentAction::speak;
    int32_t rate_adj = 0;         // -10..10; 0 when the markup gives none
    uint32_t volume = 100;        // 0..100; 100 when the markup gives none
    int32_t pitch_middle_adj = 0; // -10..10
    std::u16string_view text;
    uint32_t source_offset = 0;   // where the text starts in the client's text
    uint32_t silence_ms = 0;      // the length of a silence fragment
};

// Bits of the sink's actions that the driver examines.
enum SinkAction : uint32_t { kActionAbort = 1, kActionSkip = 2, kActionRate = 4, kActionVolume = 8 };

enum EventId : uint16_t { kEventBookmark = 4, kEventWordBoundary = 5, kEventSentenceBoundary = 7 };
enum EventParamType : uint16_t { kParamUndefined = 0, kParamString = 4 };

struct SpeakEvent {
    EventId id;
    EventParamType param_type;
    uint32_t wparam;
    int32_t lparam;             // the value, when param_type is kParamUndefined
    const char16_t* text;       // zero-terminated, when param_type is kParamString; valid during add_event
    uint64_t audio_offset = 0;  // bytes of the request's output before the event's place
};

enum class WriteKind { silence, audio };

class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual uint32_t get_actions() = 0;
    virtual int32_t get_rate() = 0;
    virtual uint16_t get_volume() = 0;
    // The sentences a skip asks for (negative: back); false when the skip is
    // not by sentences.
    virtual bool get_sentence_skip(int32_t& sentences) = 0;
    virtual void complete_skip(int32_t skipped) = 0;
    // Bit 1 << id is set for each event id the client wants.
    virtual uint64_t get_event_interest() = 0;
    // False when the output has stopped taking audio.
    virtual bool write(const void* bytes, uint32_t count, WriteKind kind) = 0;
    virtual void add_event(const SpeakEvent& event) = 0;
};

}  // namespace vl
