#pragma once
// The seven engine settings as data: key, default, accepted range, and the
// commented group "General" written into a settings file that lacks it.
#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <string_view>

#include "engine/settings.h"

namespace vl {

struct SettingDefinition {
    std::u16string_view key;
    int32_t default_value;
    int32_t minimum;  // values outside [minimum, maximum] are clamped
    int32_t maximum;
    std::atomic<int32_t> Settings::*field;
};

inline constexpr int32_t unclamped_min = std::numeric_limits<int32_t>::min();
inline constexpr int32_t unclamped_max = std::numeric_limits<int32_t>::max();

// In the order the settings are read and written back.
inline constexpr std::array<SettingDefinition, 7> setting_definitions{{
    {u"sample_rate", 10000, 10000, 11025, &Settings::sample_rate},
    {u"pause", -1, -1, 100, &Settings::pause},
    {u"use_dictionary", 2, unclamped_min, unclamped_max, &Settings::use_dictionary},
    {u"intonation", 50, 0, 100, &Settings::intonation},
    {u"silence_at_begin", 0, 0, 250, &Settings::silence_at_begin},
    {u"silence_at_end", 0, 0, 250, &Settings::silence_at_end},
    {u"disable_decimal_separator", 0, unclamped_min, unclamped_max, &Settings::disable_decimal_separator},
}};

inline constexpr std::u16string_view general_group = u"General";

// One line of the default group "General": a comment (its text follows "; "),
// or a key written with its default value.
struct DefaultGeneralLine {
    enum Kind { comment, key } kind;
    std::u16string_view text;
};

inline constexpr std::array<DefaultGeneralLine, 22> default_general_lines{{
    {DefaultGeneralLine::comment, u" в этой секции устанавливаются основные параметры синтезатора"},
    {DefaultGeneralLine::comment, u"   sample_rate - установка Частоты дискретизации."},
    {DefaultGeneralLine::comment, u" Поддерживаются значения от 10000 до 11025, 10000 - по умолчанию."},
    {DefaultGeneralLine::key, u"sample_rate"},
    {DefaultGeneralLine::comment,
     u"   pause - установка паузы после знаков припинания и в некоторых случаях между словами."},
    {DefaultGeneralLine::comment,
     u" диапазон значений от 0 до 100, -1 - использовать стандартные паузы в зависимости от скорости речи. это "
     u"значение по умолчанию установлено как -1."},
    {DefaultGeneralLine::key, u"pause"},
    {DefaultGeneralLine::comment, u"   use_dictionary - включение или отключение русского словаря ударений."},
    {DefaultGeneralLine::comment,
     u" значение 1 - включает основной словарь, 2 - включает основной и пользовательский словарь, 3 - только "
     u"пользовательский, 0 - выключает. по умолчанию оба словаря включены."},
    {DefaultGeneralLine::key, u"use_dictionary"},
    {DefaultGeneralLine::comment, u" intonation - интонация синтезатора."},
    {DefaultGeneralLine::comment,
     u" 0 - без интонации(монотонно), 100 - эмоциональная интонация. по умолчанию значение интонации равно 50."},
    {DefaultGeneralLine::key, u"intonation"},
    {DefaultGeneralLine::comment, u"   silence_at_begin - тишина в начале воспроизведения."},
    {DefaultGeneralLine::comment, u" Диапазон значений от 0 до 250 миллисекунд, по умолчанию 0."},
    {DefaultGeneralLine::key, u"silence_at_begin"},
    {DefaultGeneralLine::comment, u"   silence_at_end - тишина в конце воспроизведения."},
    {DefaultGeneralLine::comment, u" Диапазон значений от 0 до 250 миллисекунд, по умолчанию 0."},
    {DefaultGeneralLine::key, u"silence_at_end"},
    {DefaultGeneralLine::comment,
     u"   disable_decimal_separator - включает или выключает чтение десятичных цифр."},
    {DefaultGeneralLine::comment, u" значение 1 - выключает, 0 - включает."},
    {DefaultGeneralLine::key, u"disable_decimal_separator"},
}};

}  // namespace vl
