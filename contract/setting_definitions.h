#pragma once
// Each setting of prefs.ini described once: its key and group, default, the
// range the engine clamps to, the values the configurer offers, and the
// comments above it in a new file. The engine and the configurer each keep a
// table of their field of every setting (settings_fields.h checks at compile
// time that it names each setting once).
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace vl {

inline constexpr std::u16string_view kGeneralGroup = u"General";

// The settings, in the order they are read and written.
enum class Setting : std::size_t {
    sample_rate,
    pause,
    use_dictionary,
    intonation,
    silence_at_begin,
    silence_at_end,
    disable_decimal_separator,
};
inline constexpr std::size_t kSettingCount = 7;

struct SettingDefinition {
    Setting id;
    std::u16string_view key;
    std::u16string_view group;
    int32_t default_value;
    int32_t minimum;  // the engine clamps values outside [minimum, maximum]
    int32_t maximum;
    // What the configurer's control offers: a slider's range, a list's item
    // indexes, a check box's 0 and 1.
    int32_t offered_minimum;
    int32_t offered_maximum;
    // The comment lines above the key in the default group (their text follows "; ").
    std::array<std::u16string_view, 2> comments;
};

inline constexpr int32_t kUnclampedMin = std::numeric_limits<int32_t>::min();
inline constexpr int32_t kUnclampedMax = std::numeric_limits<int32_t>::max();

// The first comment of the default group "General".
inline constexpr std::u16string_view kGeneralGroupComment =
    u" в этой секции устанавливаются основные параметры синтезатора";

inline constexpr std::array<SettingDefinition, kSettingCount> kSettingDefinitions{{
    {Setting::sample_rate, u"sample_rate", kGeneralGroup, 10000, 10000, 11025, 10000, 11025,
     {u"   sample_rate - установка Частоты дискретизации.",
      u" Поддерживаются значения от 10000 до 11025, 10000 - по умолчанию."}},
    // -1: the synthesis library's own pauses; the configurer's check box sets it, its slider runs 0..100.
    {Setting::pause, u"pause", kGeneralGroup, -1, -1, 100, 0, 100,
     {u"   pause - установка паузы после знаков припинания и в некоторых случаях между словами.",
      u" диапазон значений от 0 до 100, -1 - использовать стандартные паузы в зависимости от скорости речи. это "
      u"значение по умолчанию установлено как -1."}},
    // 0 none, 1 main, 2 main and user, 3 user only.
    {Setting::use_dictionary, u"use_dictionary", kGeneralGroup, 2, kUnclampedMin, kUnclampedMax, 0, 3,
     {u"   use_dictionary - включение или отключение русского словаря ударений.",
      u" значение 1 - включает основной словарь, 2 - включает основной и пользовательский словарь, 3 - только "
      u"пользовательский, 0 - выключает. по умолчанию оба словаря включены."}},
    {Setting::intonation, u"intonation", kGeneralGroup, 50, 0, 100, 0, 100,
     {u" intonation - интонация синтезатора.",
      u" 0 - без интонации(монотонно), 100 - эмоциональная интонация. по умолчанию значение интонации равно 50."}},
    {Setting::silence_at_begin, u"silence_at_begin", kGeneralGroup, 0, 0, 250, 0, 250,
     {u"   silence_at_begin - тишина в начале воспроизведения.",
      u" Диапазон значений от 0 до 250 миллисекунд, по умолчанию 0."}},
    {Setting::silence_at_end, u"silence_at_end", kGeneralGroup, 0, 0, 250, 0, 250,
     {u"   silence_at_end - тишина в конце воспроизведения.",
      u" Диапазон значений от 0 до 250 миллисекунд, по умолчанию 0."}},
    {Setting::disable_decimal_separator, u"disable_decimal_separator", kGeneralGroup, 0, kUnclampedMin,
     kUnclampedMax, 0, 1,
     {u"   disable_decimal_separator - включает или выключает чтение десятичных цифр.",
      u" значение 1 - выключает, 0 - включает."}},
}};

constexpr const SettingDefinition& definition_of(Setting id) { return kSettingDefinitions[static_cast<std::size_t>(id)]; }

constexpr bool definitions_in_order() {
    for (std::size_t index = 0; index < kSettingCount; ++index)
        if (kSettingDefinitions[index].id != static_cast<Setting>(index)) return false;
    return true;
}
static_assert(definitions_in_order(), "kSettingDefinitions holds every setting at the index of its id");

}  // namespace vl
