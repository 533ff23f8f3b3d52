// A long request as the DLL hands it to the host, cut into pieces that arrive
// in batches while the driver speaks, is spoken as the whole request is in
// process: the library is handed the same texts and the client gets the same
// events at the same places.
#include "bridge/request_pieces.h"

#include <gtest/gtest.h>

#include "base/utf.h"
#include "bridge/host/arriving_request.h"
#include "engine/request_walker.h"
#include "engine/speak_driver.h"
#include "engine/tests/fakes.h"
#include "engine/voice_choice.h"

namespace vl::bridge {
namespace {

// Hands the driver the request a batch at a time, only when it waits for one.
class Batches final : public FragmentArrival {
public:
    explicit Batches(std::span<const TextFragment> request) : pieces_(request), request_(pieces_.slots()) {}
    std::span<const TextFragment> fragments() const { return request_.fragments(); }
    int asked = 0;

    void await(size_t index) override {
        while (request_.arrived() <= index) {
            ++asked;
            std::vector<OwnedFragment> batch;
            for (const TextFragment& piece : pieces_.next_batch()) batch.push_back({piece, std::u16string(piece.text)});
            ASSERT_TRUE(request_.add(std::move(batch)));
        }
    }

private:
    RequestPieces pieces_;
    ArrivingRequest request_;
};

struct Spoken {
    std::vector<std::string> texts;
    std::vector<test::RecordedEvent> events;
};

Spoken speak_with(std::span<const TextFragment> fragments, FragmentArrival* arrival) {
    EngineState state;
    test::use_russian_defaults(state);
    test::RecordingEngine engine;
    engine.set_audio_callback(audio_chunk_callback);
    test::RecordingSink sink;
    speak(fragments, sink, engine, state, VoiceChoice{}, arrival);
    return {engine.texts, sink.events};
}

std::u16string repeated(std::u16string_view unit, size_t units) {
    std::u16string text;
    while (text.size() < units) text += unit;
    return text;
}

TEST(RequestPieces, ALongRequestInPiecesSpeaksAsTheWhole) {
    // Sentences, abbreviations and a paragraph break on both sides of the
    // cuts, and a sentence too long to keep whole, in one client text.
    const std::u16string prose = repeated(u"Он пришёл в 1999 г. домой, т. е. поздно!\n\nА. С. Пушкин — поэт? Да. ", 40000);
    const std::u16string one_sentence = repeated(u"слово ", 30000);
    const std::u16string client = prose + one_sentence + u"и всё.";
    const auto part = [&](size_t from, size_t to) { return std::u16string_view(client).substr(from, to - from); };
    const std::vector<TextFragment> request = {
        {FragmentAction::bookmark, 0, 100, 0, u"1"},
        {FragmentAction::speak, 0, 100, 0, part(0, prose.size()), 0},
        {FragmentAction::speak, 2, 80, 0, part(prose.size(), client.size() - 6), static_cast<uint32_t>(prose.size())},
        {FragmentAction::speak, 0, 100, 0, part(client.size() - 6, client.size()),
         static_cast<uint32_t>(client.size() - 6)},
    };
    Batches batches(request);
    ASSERT_GT(batches.fragments().size(), 15u);
    const Spoken whole = speak_with(request, nullptr);
    const Spoken in_pieces = speak_with(batches.fragments(), &batches);
    EXPECT_EQ(in_pieces.texts, whole.texts);
    ASSERT_EQ(in_pieces.events.size(), whole.events.size());
    for (size_t i = 0; i < whole.events.size(); ++i) {
        const auto& a = whole.events[i];
        const auto& b = in_pieces.events[i];
        ASSERT_TRUE(a.id == b.id && a.wparam == b.wparam && a.lparam == b.lparam && a.text == b.text &&
                    a.audio_offset == b.audio_offset)
            << "event " << i;
    }
    EXPECT_LT(batches.asked, static_cast<int>(batches.fragments().size()));  // batches of several pieces
}

// A text without a space to cut at is cut at the length, and no pair of
// surrogates is parted; the pieces are the client's text at their own
// offsets, within the slots counted before the first cut.
TEST(RequestPieces, ATextWithoutSpacesIsCutAtTheLength) {
    const std::u16string client = u"x" + repeated(u"𝄞ж", 3 * kPieceUnits);
    const TextFragment whole{FragmentAction::speak, 0, 100, 0, client, 0};
    RequestPieces pieces({&whole, 1});
    size_t end = 0;
    uint64_t slots = 0;
    while (!pieces.done()) {
        for (const TextFragment& piece : pieces.next_batch()) {
            ++slots;
            if (piece.text.empty()) continue;
            EXPECT_EQ(piece.source_offset, end);
            EXPECT_LE(piece.text.size(), kPieceUnits);
            EXPECT_EQ(piece.text, std::u16string_view(client).substr(piece.source_offset, piece.text.size()));
            EXPECT_FALSE(is_low_surrogate(piece.text.front()));
            end = piece.source_offset + piece.text.size();
        }
    }
    EXPECT_EQ(end, client.size());
    EXPECT_EQ(slots, pieces.slots());
}

}  // namespace
}  // namespace vl::bridge
