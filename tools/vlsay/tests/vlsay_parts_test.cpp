#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "store/tests/temp_folder.h"
#include "tools/common/wav.h"
#include "tools/vlsay/text_pieces.h"
#include "tools/vlsay/wav_writer.h"

namespace vl {
namespace {

uint32_t u32_at(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + i])) << (8 * i);
    return value;
}

TEST(WavHeaderTest, CountsUpToTheLargestSizeA32BitRiffSizeAllows) {
    const std::string largest = wav_header(kWavMaxDataBytes, 10000);
    ASSERT_EQ(largest.size(), 44u);
    EXPECT_EQ(u32_at(largest, 4), 0xFFFFFFFFu);
    EXPECT_EQ(u32_at(largest, 40), 0xFFFFFFFFu - 36);
    EXPECT_EQ(u32_at(wav_header(1000, 11025), 24), 11025u);
    EXPECT_EQ(u32_at(wav_header(1000, 11025), 40), 1000u);
}

// Written to the null device, the audio of a whole WAV file's worth is refused
// at the byte that would pass what its header can count, without a 4 GiB file.
TEST(WavWriterTest, RefusesAudioPastWhatTheHeaderCanCount) {
#if defined(_WIN32)
    std::FILE* sink = std::fopen("NUL", "wb");
#else
    std::FILE* sink = std::fopen("/dev/null", "wb");
#endif
    ASSERT_NE(sink, nullptr);
    {
        WavWriter wav(sink, 10000);
        const std::vector<char> block(1 << 20);
        while (wav.write(block.data(), block.size())) {
        }
        EXPECT_LE(wav.data_bytes(), kWavMaxDataBytes);
        EXPECT_GT(wav.data_bytes() + block.size(), kWavMaxDataBytes);
        EXPECT_NE(wav.failure().find("4 GiB"), std::string::npos) << wav.failure();
        EXPECT_FALSE(wav.write(block.data(), 1));  // a refusal stands
        EXPECT_FALSE(wav.finish());
    }
    {
        WavWriter wav(sink, 10000);
        const std::vector<char> block(1 << 20);
        for (uint64_t left = kWavMaxDataBytes; left > 0;) {
            const size_t count = static_cast<size_t>(std::min<uint64_t>(left, block.size()));
            ASSERT_TRUE(wav.write(block.data(), count));
            left -= count;
        }
        EXPECT_EQ(wav.data_bytes(), kWavMaxDataBytes);  // exactly the largest fits
        EXPECT_FALSE(wav.write(block.data(), 1));
    }
    std::fclose(sink);
}

class WavFileTest : public test::TempFolderTest {};

TEST_F(WavFileTest, TheFileAppearsCompleteOnlyWhenFinished) {
    const std::filesystem::path target = folder / "out.wav";
    write_file_atomic(target, "an older file");
    {
        WavWriter wav(target, 10000);
        ASSERT_TRUE(wav.write("abcd", 4));
        EXPECT_EQ(read_file(target), "an older file");
        size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) files += entry.path() != target;
        EXPECT_EQ(files, 1u);  // the temporary file beside it
    }
    // Destroyed unfinished: the temporary file goes, the older file stays.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
    EXPECT_EQ(read_file(target), "an older file");

    WavWriter wav(target, 10000);
    ASSERT_TRUE(wav.write("abcdef", 6));
    ASSERT_TRUE(wav.finish());
    EXPECT_EQ(read_file(target), wav_header(6, 10000) + "abcdef");
    EXPECT_THROW(WavWriter(folder / "no" / "such.wav", 10000), std::runtime_error);
}

std::u16string joined(const std::vector<std::u16string_view>& pieces) {
    std::u16string text;
    for (auto piece : pieces) text += piece;
    return text;
}

TEST(SpeakingPiecesTest, CutsAfterSentencesAndParagraphsOnly) {
    // Lines of 10 characters: "aaaaaaaaa." ending a sentence, "bbbbbbbbbb" not.
    const std::u16string text =
        u"bbbbbbbbb\nbbbbbbbbb\naaaaaaaa.\nbbbbbbbbb\nbbbbbbbbb\n\nbbbbbbbbb\naaaaaaaa. \nb";
    const auto pieces = speaking_pieces(text, 15);
    EXPECT_EQ(joined(pieces), text);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], u"bbbbbbbbb\nbbbbbbbbb\naaaaaaaa.\n");
    EXPECT_EQ(pieces[1], u"bbbbbbbbb\nbbbbbbbbb\n");  // an empty line follows
    EXPECT_EQ(pieces[2], u"\nbbbbbbbbb\naaaaaaaa. \nb");  // the short rest joins the last piece

    EXPECT_EQ(speaking_pieces(u"короткий текст.\n", 4096).size(), 1u);
    EXPECT_TRUE(speaking_pieces(u"", 10).empty());
    // No sentence ends: cut at a line break once 16 times as long.
    std::u16string lines;
    for (int i = 0; i < 100; ++i) lines += u"bbbbbbbbb\n";
    const auto long_pieces = speaking_pieces(lines, 10);
    EXPECT_EQ(joined(long_pieces), lines);
    EXPECT_EQ(long_pieces[0].size(), 160u);

    // One long line is cut where the engine ends its sentences (not after an
    // abbreviation, nor before a lower-case word), else at a blank.
    std::u16string line;
    for (int i = 0; i < 40; ++i) line += u"Слово г. Москва, т. е. конец. ";
    const auto line_pieces = speaking_pieces(line, 40);
    EXPECT_EQ(joined(line_pieces), line);
    EXPECT_EQ(line_pieces.size(), 20u);  // two sentences of 30 characters each
    for (size_t i = 0; i + 1 < line_pieces.size(); ++i) EXPECT_TRUE(line_pieces[i].ends_with(u"конец.")) << i;
    std::u16string words;
    for (int i = 0; i < 1000; ++i) words += u"слово ";
    const auto word_pieces = speaking_pieces(words, 10);
    EXPECT_EQ(joined(word_pieces), words);
    EXPECT_EQ(word_pieces[0].size(), 156u);  // 26 words: the last blank within 160 characters
}

}  // namespace
}  // namespace vl
