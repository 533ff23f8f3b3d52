#pragma once
// The settings of group "General" in prefs.ini as data: key, default, accepted
// range, and the commented group written into a settings file that lacks it.
// The engine and the configurer find each setting by its key.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace vl {

inline constexpr std::u16string_view kGeneralGroup = u"General";

inline constexpr std::u16string_view kSampleRateKey = u"sample_rate";
inline constexpr std::u16string_view kPauseKey = u"pause";
inline constexpr std::u16string_view kUseDictionaryKey = u"use_dictionary";
inline constexpr std::u16string_view kIntonationKey = u"intonation";
inline constexpr std::u16string_view kSilenceAtBeginKey = u"silence_at_begin";
inline constexpr std::u16string_view kSilenceAtEndKey = u"silence_at_end";
inline constexpr std::u16string_view kDisableDecimalSeparatorKey = u"disable_decimal_separator";

struct SettingDefinition {
    std::u16string_view key;
    int32_t default_value;
    int32_t minimum;  // the engine clamps values outside [minimum, maximum]
    int32_t maximum;
};

inline constexpr int32_t kUnclampedMin = std::numeric_limits<int32_t>::min();
inline constexpr int32_t kUnclampedMax = std::numeric_limits<int32_t>::max();

// In the order the settings are read and written.
inline constexpr std::array<SettingDefinition, 7> kSettingDefinitions{{
    {kSampleRateKey, 10000, 10000, 11025},
    {kPauseKey, -1, -1, 100},
    {kUseDictionaryKey, 2, kUnclampedMin, kUnclampedMax},
    {kIntonationKey, 50, 0, 100},
    {kSilenceAtBeginKey, 0, 0, 250},
    {kSilenceAtEndKey, 0, 0, 250},
    {kDisableDecimalSeparatorKey, 0, kUnclampedMin, kUnclampedMax},
}};

// The definition of a key; an unknown key does not compile in a constant
// expression and aborts otherwise.
constexpr const SettingDefinition& setting_definition(std::u16string_view key) {
    for (const SettingDefinition& setting : kSettingDefinitions)
        if (setting.key == key) return setting;
    std::abort();
}

// One line of the default group "General": a comment (its text follows "; "),
// or a key written with its default value.
struct DefaultGeneralLine {
    enum Kind { comment, key } kind;
    std::u16string_view text;
};

inline constexpr std::array<DefaultGeneralLine, 22> kDefaultGeneralLines{{
    {DefaultGeneralLine::comment, u" в этой секции устанавливаются основные параметры синтезатора"},
    {DefaultGeneralLine::comment, u"   sample_rate - установка Частоты дискретизации."},
    {DefaultGeneralLine::comment, u" Поддерживаются значения от 10000 до 11025, 10000 - по умолчанию."},
    {DefaultGeneralLine::key, kSampleRateKey},
    {DefaultGeneralLine::comment,
     u"   pause - установка паузы после знаков припинания и в некоторых случаях между словами."},
    {DefaultGeneralLine::comment,
     u" диапазон значений от 0 до 100, -1 - использовать стандартные паузы в зависимости от скорости речи. это "
     u"значение по умолчанию установлено как -1."},
    {DefaultGeneralLine::key, kPauseKey},
    {DefaultGeneralLine::comment, u"   use_dictionary - включение или отключение русского словаря ударений."},
    {DefaultGeneralLine::comment,
     u" значение 1 - включает основной словарь, 2 - включает основной и пользовательский словарь, 3 - только "
     u"пользовательский, 0 - выключает. по умолчанию оба словаря включены."},
    {DefaultGeneralLine::key, kUseDictionaryKey},
    {DefaultGeneralLine::comment, u" intonation - интонация синтезатора."},
    {DefaultGeneralLine::comment,
     u" 0 - без интонации(монотонно), 100 - эмоциональная интонация. по умолчанию значение интонации равно 50."},
    {DefaultGeneralLine::key, kIntonationKey},
    {DefaultGeneralLine::comment, u"   silence_at_begin - тишина в начале воспроизведения."},
    {DefaultGeneralLine::comment, u" Диапазон значений от 0 до 250 миллисекунд, по умолчанию 0."},
    {DefaultGeneralLine::key, kSilenceAtBeginKey},
    {DefaultGeneralLine::comment, u"   silence_at_end - тишина в конце воспроизведения."},
    {DefaultGeneralLine::comment, u" Диапазон значений от 0 до 250 миллисекунд, по умолчанию 0."},
    {DefaultGeneralLine::key, kSilenceAtEndKey},
    {DefaultGeneralLine::comment,
     u"   disable_decimal_separator - включает или выключает чтение десятичных цифр."},
    {DefaultGeneralLine::comment, u" значение 1 - выключает, 0 - включает."},
    {DefaultGeneralLine::key, kDisableDecimalSeparatorKey},
}};

}  // namespace vl
