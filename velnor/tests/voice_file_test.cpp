// The voice file's checks, on the voice the tests speak with (VELNOR_VOICE):
// any damage is refused with its reason, and a library without a usable voice
// says so and speaks nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "velnor/include/velnor_api.h"
#include "velnor/voice/voice_data.h"

namespace {

// The file's bytes, eight-byte aligned as a mapping is.
std::vector<uint64_t> read_aligned(const char* path, size_t& size) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    size = bytes.size();
    std::vector<uint64_t> words((size + 7) / 8);
    std::memcpy(words.data(), bytes.data(), size);
    return words;
}

int32_t VELNOR_CALL ignore(void*, const uint8_t*, int32_t) { return 0; }

std::string fault_of(std::vector<uint64_t> words, size_t size) {
    const auto result = velnor::read_voice({reinterpret_cast<const uint8_t*>(words.data()), size});
    const auto* fault = std::get_if<std::string>(&result);
    return fault ? *fault : "";
}

TEST(VoiceFile, DamageIsRefusedWithItsReason) {
    const char* path = std::getenv("VELNOR_VOICE");
    ASSERT_NE(path, nullptr) << "VELNOR_VOICE names the voice the tests use";
    size_t size = 0;
    const std::vector<uint64_t> good = read_aligned(path, size);
    ASSERT_EQ(fault_of(good, size), "");

    EXPECT_NE(fault_of(good, size - 1).find("truncated"), std::string::npos);
    EXPECT_NE(fault_of(good, 40).find("too short"), std::string::npos);
    std::vector<uint64_t> flipped = good;
    reinterpret_cast<uint8_t*>(flipped.data())[size / 2] ^= 0x10;
    EXPECT_NE(fault_of(flipped, size).find("checksum"), std::string::npos);
    std::vector<uint64_t> newer = good;
    reinterpret_cast<uint8_t*>(newer.data())[8] += 1;  // the version
    EXPECT_NE(fault_of(newer, size).find("version"), std::string::npos);
    std::vector<uint64_t> foreign = good;
    reinterpret_cast<uint8_t*>(foreign.data())[0] = 'X';
    EXPECT_NE(fault_of(foreign, size).find("not a voice"), std::string::npos);
}

TEST(VoiceFile, WithoutAUsableVoiceTheLibraryIsNotReady) {
    const char* path = std::getenv("VELNOR_VOICE");
    ASSERT_NE(path, nullptr);
    const std::filesystem::path cut = std::filesystem::temp_directory_path() / "velnor-cut.voice";
    {
        std::ifstream in(path, std::ios::binary);
        std::vector<char> head(100000);
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        std::ofstream(cut, std::ios::binary).write(head.data(), in.gcount());
    }
    // In a fresh process: the library looks for its voice once.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
#if defined(_WIN32)
            _putenv_s("VELNOR_VOICE", cut.string().c_str());
#else
            setenv("VELNOR_VOICE", cut.c_str(), 1);
#endif
            synth_set_audio_callback(ignore);
            std::exit(synth_ready() == 0 && synth_speak("\xe0", 0) == -1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::filesystem::remove(cut);
}

}  // namespace
