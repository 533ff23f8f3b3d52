// The bridge's message codec: every message comes back as it went, through a
// stream that delivers it in pieces; malformed frames and payloads are refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "bridge/protocol.h"

namespace vl::bridge {
namespace {

// Feeds the frames one byte at a time and collects what the reader hands out.
std::vector<std::pair<Kind, std::string>> read_all(const std::string& stream) {
    FrameReader reader;
    std::vector<std::pair<Kind, std::string>> frames;
    for (char byte : stream) {
        reader.append(&byte, 1);
        while (auto frame = reader.next()) frames.emplace_back(frame->kind, std::string(frame->payload));
    }
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(reader.pending(), 0u);
    return frames;
}

std::string payload_of(const std::string& frame) { return frame.substr(kHeaderSize); }

TEST(BridgeProtocol, EveryMessageComesBackAsItWent) {
    const Speak speak{{kActionRate | kActionVolume, -7, 35, true}, 3};
    const std::u16string first_text = u"Съешь ещё\u0000ґанок 𝄞";
    const TextFragment fragments[] = {{FragmentAction::speak, 3, 80, -10, first_text},
                                      {FragmentAction::bookmark, 0, 100, 0, u"12"},
                                      {FragmentAction::silence, 0, 100, 0, {}, 17, 250}};
    const char16_t bookmark[] = u"закладка";
    const uint8_t samples[] = {0, 1, 0xFF, 0x80};
    PcmFormat format;
    format.samples_per_second = 11025;
    format.average_bytes_per_second = 22050;

    const std::string stream =
        encode(Hello{}) + encode(VoiceSetUp{u"Velnor_Female2_Ukrainian", u"422"}) + encode(VoiceSetUp{u"", std::nullopt}) +
        encode_status(-2147467259) + encode_empty(Kind::format_request) + encode(format) + encode(speak) + encode_fragments(fragments) +
        encode(SiteState{kActionAbort | kActionSkip, 10, 0, false, 1u << 5, true, -3}) +
        encode_audio(WriteKind::audio, 35, samples, 4) +
        encode_audio(WriteKind::silence, 100, samples, 0) +
        encode(SpeakEvent{kEventBookmark, kParamString, 12, 0, bookmark}) +
        encode(SpeakEvent{kEventWordBoundary, kParamUndefined, 40, -1, nullptr, 5'000'000'000ull}) +
        encode_empty(Kind::speak_done) + encode_empty(Kind::quit) + encode_skip_done(-2);
    auto frames = read_all(stream);
    ASSERT_EQ(frames.size(), 16u);
    const std::string batch = frames[7].second;
    frames.erase(frames.begin() + 7);

    EXPECT_EQ(frames[0].first, Kind::hello);
    EXPECT_EQ(decode_hello(frames[0].second)->version, kProtocolVersion);
    const auto set_up = decode_set_up(frames[1].second);
    ASSERT_TRUE(set_up);
    EXPECT_EQ(set_up->voice_name, u"Velnor_Female2_Ukrainian");
    EXPECT_EQ(set_up->language, u"422");
    const auto no_language = decode_set_up(frames[2].second);
    ASSERT_TRUE(no_language);
    EXPECT_EQ(no_language->voice_name, u"");
    EXPECT_FALSE(no_language->language);
    EXPECT_EQ(decode_status(frames[3].second), -2147467259);
    EXPECT_EQ(frames[4].first, Kind::format_request);
    EXPECT_TRUE(decode_empty(frames[4].second));
    const auto format_back = decode_format(frames[5].second);
    ASSERT_TRUE(format_back);
    EXPECT_EQ(format_back->samples_per_second, 11025u);
    EXPECT_EQ(format_back->average_bytes_per_second, 22050u);
    EXPECT_EQ(format_back->format_tag, 1);
    EXPECT_EQ(format_back->block_align, 2);
    EXPECT_EQ(format_back->bits_per_sample, 16);

    const auto speak_back = decode_speak(frames[6].second);
    ASSERT_TRUE(speak_back);
    EXPECT_EQ(speak_back->site.actions, kActionRate | kActionVolume);
    EXPECT_EQ(speak_back->site.rate, -7);
    EXPECT_EQ(speak_back->site.volume, 35);
    EXPECT_TRUE(speak_back->site.output_stopped);
    EXPECT_EQ(speak_back->fragment_count, 3u);
    const auto back = decode_fragments(batch);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 3u);
    EXPECT_EQ((*back)[0].fragment.action, FragmentAction::speak);
    EXPECT_EQ((*back)[0].fragment.rate_adj, 3);
    EXPECT_EQ((*back)[0].fragment.volume, 80u);
    EXPECT_EQ((*back)[0].fragment.pitch_middle_adj, -10);
    EXPECT_EQ((*back)[0].text, first_text);
    EXPECT_EQ((*back)[1].fragment.action, FragmentAction::bookmark);
    EXPECT_EQ((*back)[1].text, u"12");
    EXPECT_EQ((*back)[2].fragment.action, FragmentAction::silence);
    EXPECT_TRUE((*back)[2].text.empty());
    EXPECT_EQ((*back)[2].fragment.source_offset, 17u);
    EXPECT_EQ((*back)[2].fragment.silence_ms, 250u);

    const auto state = decode_site_state(frames[7].second);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->actions, kActionAbort | kActionSkip);
    EXPECT_EQ(state->rate, 10);
    EXPECT_EQ(state->volume, 0);
    EXPECT_FALSE(state->output_stopped);
    EXPECT_EQ(state->event_interest, 1u << 5);
    EXPECT_TRUE(state->sentence_skip);
    EXPECT_EQ(state->skip_sentences, -3);
    const auto audio = decode_audio(frames[8].second);
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->kind, WriteKind::audio);
    EXPECT_EQ(audio->volume, 35);
    EXPECT_EQ(audio->bytes, std::string_view(reinterpret_cast<const char*>(samples), 4));
    const auto silence = decode_audio(frames[9].second);
    ASSERT_TRUE(silence);
    EXPECT_EQ(silence->kind, WriteKind::silence);
    EXPECT_TRUE(silence->bytes.empty());

    const auto string_event = decode_event(frames[10].second);
    ASSERT_TRUE(string_event);
    const SpeakEvent bookmark_event = string_event->view();
    EXPECT_EQ(bookmark_event.id, kEventBookmark);
    EXPECT_EQ(bookmark_event.param_type, kParamString);
    EXPECT_EQ(bookmark_event.wparam, 12u);
    ASSERT_NE(bookmark_event.text, nullptr);
    EXPECT_EQ(std::u16string_view(bookmark_event.text), bookmark);
    const auto value_event = decode_event(frames[11].second);
    ASSERT_TRUE(value_event);
    EXPECT_EQ(value_event->view().id, kEventWordBoundary);
    EXPECT_EQ(value_event->view().wparam, 40u);
    EXPECT_EQ(value_event->view().lparam, -1);
    EXPECT_EQ(value_event->view().text, nullptr);
    EXPECT_EQ(value_event->view().audio_offset, 5'000'000'000ull);
    EXPECT_EQ(frames[12].first, Kind::speak_done);
    EXPECT_EQ(frames[13].first, Kind::quit);
    EXPECT_EQ(frames[14].first, Kind::skip_done);
    EXPECT_EQ(decode_status(frames[14].second), -2);
}

// Every proper prefix of a payload and every payload with a byte too many is
// refused by its decoder.
TEST(BridgeProtocol, TruncatedAndPaddedPayloadsAreRefused) {
    const TextFragment fragment{FragmentAction::speak, 0, 100, 0, u"да"};
    const char16_t text[] = u"abc";
    const std::pair<std::string, bool (*)(std::string_view)> cases[] = {
        {encode(Hello{}), [](std::string_view p) { return decode_hello(p).has_value(); }},
        {encode(VoiceSetUp{u"Velnor", u"419"}), [](std::string_view p) { return decode_set_up(p).has_value(); }},
        {encode_status(0), [](std::string_view p) { return decode_status(p).has_value(); }},
        {encode_audio_taken(4096), [](std::string_view p) { return decode_audio_taken(p).has_value(); }},
        {encode(PcmFormat{}), [](std::string_view p) { return decode_format(p).has_value(); }},
        {encode(Speak{{}, 1}), [](std::string_view p) { return decode_speak(p).has_value(); }},
        {encode_fragments({&fragment, 1}), [](std::string_view p) { return decode_fragments(p).has_value(); }},
        {encode(SiteState{}), [](std::string_view p) { return decode_site_state(p).has_value(); }},
        {encode(SpeakEvent{kEventBookmark, kParamString, 0, 0, text}),
         [](std::string_view p) { return decode_event(p).has_value(); }},
        {encode_empty(Kind::quit), [](std::string_view p) { return decode_empty(p); }},
    };
    for (const auto& [frame, decodes] : cases) {
        const std::string payload = payload_of(frame);
        EXPECT_TRUE(decodes(payload)) << frame.size();
        for (size_t length = 0; length < payload.size(); ++length) {
            EXPECT_FALSE(decodes(payload.substr(0, length))) << frame.size() << " cut at " << length;
        }
        EXPECT_FALSE(decodes(payload + '\0')) << frame.size() << " with a byte more";
    }
    EXPECT_FALSE(decode_audio("")) << "an audio message without its kind";

    // A flag other than 0 or 1, and counts that promise more than there is.
    std::string flag = payload_of(encode(SiteState{}));
    flag[10] = 2;  // output_stopped, after actions, rate and volume
    EXPECT_FALSE(decode_site_state(flag));
    EXPECT_FALSE(decode_speak(payload_of(encode(Speak{{}, kMaxFragments + 1}))));
    std::string many_fragments = payload_of(encode_fragments({}));
    many_fragments.replace(0, 4, "\xFF\xFF\xFF\x7F");
    EXPECT_FALSE(decode_fragments(many_fragments));
    std::string long_text = payload_of(encode(VoiceSetUp{u"ab", std::nullopt}));
    long_text.replace(0, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_FALSE(decode_set_up(long_text));
}

TEST(BridgeProtocol, MalformedHeadersFailTheStream) {
    const auto header = [](uint16_t kind, uint16_t zero, uint32_t length) {
        std::string bytes;
        for (int i = 0; i < 2; ++i) bytes += static_cast<char>(kind >> (8 * i));
        for (int i = 0; i < 2; ++i) bytes += static_cast<char>(zero >> (8 * i));
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>(length >> (8 * i));
        return bytes;
    };
    const std::string refused[] = {
        header(0, 0, 0),                          // no such kind
        header(static_cast<uint16_t>(Kind::fragments) + 1, 0, 0),
        header(0xFFFF, 0, 4),
        header(static_cast<uint16_t>(Kind::audio), 1, 0),  // reserved bits set
        header(static_cast<uint16_t>(Kind::audio), 0, kMaxPayload + 1),
        header(static_cast<uint16_t>(Kind::speak), 0, 0xFFFFFFFF),
    };
    for (const std::string& bytes : refused) {
        FrameReader reader;
        reader.append(encode_empty(Kind::quit).data(), kHeaderSize);
        reader.append(bytes.data(), bytes.size());
        ASSERT_TRUE(reader.next());  // the good frame before it still comes out
        EXPECT_FALSE(reader.next());
        EXPECT_TRUE(reader.failed());
        const std::string good = encode_empty(Kind::quit);
        reader.append(good.data(), good.size());
        EXPECT_FALSE(reader.next()) << "a failed stream stays failed";
    }

    // The largest payload allowed is waited for, not refused.
    FrameReader waiting;
    const std::string largest = header(static_cast<uint16_t>(Kind::audio), 0, kMaxPayload);
    waiting.append(largest.data(), largest.size());
    EXPECT_FALSE(waiting.next());
    EXPECT_FALSE(waiting.failed());
    EXPECT_EQ(waiting.pending(), kHeaderSize);
}

// What a faulty host might send is refused: events the driver never sends, and
// a greeting of another version is read as that version, whatever follows.
TEST(BridgeProtocol, OnlyTheDriversEventsAndAnyVersionsGreetingRead) {
    const char16_t text[] = u"12";
    const SpeakEvent refused[] = {
        {kEventBookmark, kParamUndefined, 12, 0, nullptr},
        {kEventWordBoundary, kParamString, 1, 0, text},
        {kEventSentenceBoundary, kParamString, 1, 0, text},
        {static_cast<EventId>(2), kParamUndefined, 0, 0, nullptr},   // the end of the stream
        {static_cast<EventId>(6), kParamUndefined, 0, 0, nullptr},   // a phoneme
        {static_cast<EventId>(200), kParamUndefined, 0, 0, nullptr},
        {kEventBookmark, static_cast<EventParamType>(1), 0, 0, nullptr},  // a token: a pointer to the client
        {kEventWordBoundary, static_cast<EventParamType>(2), 0, 0, nullptr},  // an object
        {kEventWordBoundary, static_cast<EventParamType>(3), 0, 0, nullptr},  // a pointer
    };
    for (const SpeakEvent& event : refused) {
        EXPECT_FALSE(decode_event(payload_of(encode(event)))) << event.id << " " << event.param_type;
    }
    EXPECT_TRUE(decode_event(payload_of(encode(SpeakEvent{kEventSentenceBoundary, kParamUndefined, 9, 3, nullptr}))));

    std::string other = payload_of(encode(Hello{kProtocolVersion + 1})) + "more fields";
    ASSERT_TRUE(decode_hello(other));
    EXPECT_EQ(decode_hello(other)->version, kProtocolVersion + 1);
}

// A long request's audio arriving in 64 KiB reads, which seldom end at a frame's
// end, keeps no more than a frame and a read, and every frame comes out whole.
TEST(BridgeProtocol, FrameReaderHoldsNoMoreThanAFrameAndARead) {
    std::string block(4096, '\0');
    std::string stream;
    for (int i = 0; i < 64; ++i) {
        block[0] = static_cast<char>(i);
        stream += encode_audio(WriteKind::audio, 100, block.data(), static_cast<uint32_t>(block.size()));
    }
    constexpr size_t kRead = 64 * 1024;
    FrameReader reader;
    size_t frames = 0;
    size_t most_held = 0;
    for (int pass = 0; pass < 500; ++pass) {  // 125 MiB, 83 minutes of audio
        for (size_t at = 0; at < stream.size(); at += kRead) {
            const size_t count = std::min(kRead, stream.size() - at);
            reader.append(stream.data() + at, count);
            most_held = std::max(most_held, reader.held());
            while (auto frame = reader.next()) {
                const auto audio = decode_audio(frame->payload);
                ASSERT_TRUE(audio);
                ASSERT_EQ(audio->bytes.size(), block.size());
                ASSERT_EQ(static_cast<uint8_t>(audio->bytes[0]), frames++ % 64);
            }
        }
    }
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(frames, 64u * 500);
    EXPECT_LE(most_held, kRead + block.size() + 2 * kHeaderSize);
}

}  // namespace
}  // namespace vl::bridge
