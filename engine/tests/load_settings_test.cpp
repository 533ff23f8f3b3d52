#include "engine/load_settings.h"

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "store/tests/temp_folder.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

const std::string bom = "\xEF\xBB\xBF";

// A freshly created prefs.ini, byte for byte.
const std::string default_prefs = bom + "\r\n" + "[General]\r\n" +
    ";  в этой секции устанавливаются основные параметры синтезатора\r\n"
    ";    sample_rate - установка Частоты дискретизации.\r\n"
    ";  Поддерживаются значения от 10000 до 11025, 10000 - по умолчанию.\r\n"
    "sample_rate = 10000\r\n"
    ";    pause - установка паузы после знаков припинания и в некоторых случаях между словами.\r\n"
    ";  диапазон значений от 0 до 100, -1 - использовать стандартные паузы в зависимости от скорости речи. "
    "это значение по умолчанию установлено как -1.\r\n"
    "pause = -1\r\n"
    ";    use_dictionary - включение или отключение русского словаря ударений.\r\n"
    ";  значение 1 - включает основной словарь, 2 - включает основной и пользовательский словарь, "
    "3 - только пользовательский, 0 - выключает. по умолчанию оба словаря включены.\r\n"
    "use_dictionary = 2\r\n"
    ";  intonation - интонация синтезатора.\r\n"
    ";  0 - без интонации(монотонно), 100 - эмоциональная интонация. по умолчанию значение интонации равно 50.\r\n"
    "intonation = 50\r\n"
    ";    silence_at_begin - тишина в начале воспроизведения.\r\n"
    ";  Диапазон значений от 0 до 250 миллисекунд, по умолчанию 0.\r\n"
    "silence_at_begin = 0\r\n"
    ";    silence_at_end - тишина в конце воспроизведения.\r\n"
    ";  Диапазон значений от 0 до 250 миллисекунд, по умолчанию 0.\r\n"
    "silence_at_end = 0\r\n"
    ";    disable_decimal_separator - включает или выключает чтение десятичных цифр.\r\n"
    ";  значение 1 - выключает, 0 - включает.\r\n"
    "disable_decimal_separator = 0\r\n";

std::vector<int32_t> values(const Settings& s) {
    return {s.sample_rate, s.pause, s.use_dictionary, s.intonation,
            s.silence_at_begin, s.silence_at_end, s.disable_decimal_separator};
}

class LoadSettings : public test::TempFolderTest {
protected:

    std::optional<std::string> prefs() const { return read_file(folder / "prefs.ini"); }
    void set_prefs(std::string_view bytes) const { ASSERT_TRUE(write_file_atomic(folder / "prefs.ini", bytes)); }

    Settings settings;
};

TEST_F(LoadSettings, MissingFileIsCreatedWithTheCommentedDefaults) {
    EXPECT_EQ(values(settings), (std::vector<int32_t>{10000, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(load_settings(folder, settings));
    EXPECT_EQ(prefs(), default_prefs);
    EXPECT_EQ(values(settings), (std::vector<int32_t>{10000, -1, 2, 50, 0, 0, 0}));
    ASSERT_TRUE(load_settings(folder, settings));  // a second load leaves it as it is
    EXPECT_EQ(prefs(), default_prefs);
}

TEST_F(LoadSettings, ValuesAreClampedAndWrittenBackClamped) {
    set_prefs("[GENERAL]\nSAMPLE_RATE = 22050\npause = -5\nuse_dictionary = 7\nintonation = 101\n"
              "silence_at_begin = -1\nsilence_at_end = 1000\ndisable_decimal_separator = 5");
    ASSERT_TRUE(load_settings(folder, settings));
    EXPECT_EQ(values(settings), (std::vector<int32_t>{11025, -1, 7, 100, 0, 250, 5}));
    EXPECT_EQ(prefs(), bom + "\r\n[GENERAL]\r\nSAMPLE_RATE = 11025\r\npause = -1\r\nuse_dictionary = 7\r\n"
                             "intonation = 100\r\nsilence_at_begin = 0\r\nsilence_at_end = 250\r\n"
                             "disable_decimal_separator = 5\r\n");

    set_prefs("[general]\nsample_rate = 9000\npause = 250\nintonation = -4\nsilence_at_end = 3x\n");
    ASSERT_TRUE(load_settings(folder, settings));
    EXPECT_EQ(values(settings), (std::vector<int32_t>{10000, 100, 2, 0, 0, 3, 0}));
}

TEST_F(LoadSettings, ValuesWithoutDigitsReadZeroBeforeClamping) {
    set_prefs("[General]\nsample_rate = fast\npause =\nuse_dictionary\n");
    ASSERT_TRUE(load_settings(folder, settings));
    EXPECT_EQ(settings.sample_rate, 10000);
    EXPECT_EQ(settings.pause, 0);
    EXPECT_EQ(settings.use_dictionary, 0);
}

TEST_F(LoadSettings, RoundTripKeepsCommentsAndOrderAndAddsMissingKeysAtTheEndOfTheGroup) {
    set_prefs(bom + "\r\n[other]\r\nkey = value\r\n\r\n[General]\r\n; my note\r\nintonation = 70\r\n"
                    "; rate\r\nSample_Rate = 11000\r\n\r\n[symbols]\r\n$ = доллар:1\r\n");
    ASSERT_TRUE(load_settings(folder, settings));
    EXPECT_EQ(values(settings), (std::vector<int32_t>{11000, -1, 2, 70, 0, 0, 0}));
    EXPECT_EQ(prefs(), bom + "\r\n[other]\r\nkey = value\r\n\r\n[General]\r\n; my note\r\nintonation = 70\r\n"
                             "; rate\r\nSample_Rate = 11000\r\npause = -1\r\nuse_dictionary = 2\r\n"
                             "silence_at_begin = 0\r\nsilence_at_end = 0\r\ndisable_decimal_separator = 0\r\n"
                             "\r\n[symbols]\r\n$ = доллар:1\r\n");
}

TEST_F(LoadSettings, MissingGeneralGroupIsAppendedWithItsComments) {
    set_prefs(bom + "\r\n[symbols]\r\n$ = доллар:1\r\n");
    ASSERT_TRUE(load_settings(folder, settings));
    EXPECT_EQ(prefs(), bom + "\r\n[symbols]\r\n$ = доллар:1\r\n\r\n" + default_prefs.substr(bom.size() + 2));
}

TEST_F(LoadSettings, UnreadableFileKeepsThePreviousValues) {
    settings.pause = 42;
    EXPECT_FALSE(load_settings(folder / "missing-folder", settings));
    fs::create_directories(folder / "prefs.ini");
    EXPECT_FALSE(load_settings(folder, settings));
    EXPECT_EQ(values(settings), (std::vector<int32_t>{10000, 42, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace vl
