// The tooltips of the main window's controls and of both editing dialogs,
// read from the program's tooltip windows.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/tests/harness.h"

namespace vl::gui_test {

namespace {

const std::wstring kReplacementRules =
    L"Вводить нужно в нижнем регистре. Не используйте символов пунктуации. Чтобы поставить ударение, используйте "
    L"знак \"+\" (плюс) после ударной гласной.";

// Exactly these controls of `top` have tooltips, with these texts.
void check_tooltips(HANDLE process, HWND top, const std::vector<std::pair<int, std::wstring>>& expected) {
    auto tools = tooltip_texts(process, top);
    for (const auto& [id, text] : expected) {
        const auto found = tools.find(GetDlgItem(top, id));
        const std::string name = "tooltip of control " + std::to_string(id);
        check(found != tools.end(), name + " exists");
        if (found == tools.end()) continue;
        check(found->second == text, name + ": " + narrow(found->second));
        tools.erase(found);
    }
    check(tools.empty(), "no other control has a tooltip (" + std::to_string(tools.size()) + " more)");
}

}  // namespace

void check_main_tooltips(const Running& running) {
    const HWND main = running.main;
    const std::wstring sample_rate = tooltip_texts(running.app.process, main)[GetDlgItem(main, ids::kSampleRateSlider)];
    const std::wstring second_sentence = L" Чем выше дискретизация, тем выше скорость синтезатора для восприятия.";
    // The first sentence names the slider's own range.
    check(sample_rate.size() > second_sentence.size() && sample_rate.find(L"10000") < sample_rate.find(L"11025") &&
              sample_rate.ends_with(second_sentence),
          "sample-rate tooltip: " + narrow(sample_rate));
    check_tooltips(
        running.app.process, main,
        {
            {ids::kSampleRateSlider, sample_rate},
            {ids::kFixedPausesCheck,
             L"При снятой галочке, Velnor будет подбирать паузы между знаками препинания, а также при разделении "
             L"больших фрагментов текста в зависимости от скорости. При установленной же галочке, паузы можно "
             L"регулировать самому от 0 до 100."},
            {ids::kIntonationSlider,
             L"Можно задать интенсивность интонации синтезатора: 0 - монотонно, 100 - очень выразительно."},
            {ids::kDictionaryList,
             L"Позволяет включить словари правильного произношения и ударений для слов. Можно включить только "
             L"системный, включить системный и пользовательский, или же вообще отключить все словари."},
            {ids::kSilenceAtBeginSlider,
             L"Позволяет задать паузу непосредственно перед началом синтеза. Полезно, если приложение допускает "
             L"ошибки и первые буквы съедаются."},
            {ids::kSilenceAtEndSlider,
             L"Позволяет задать паузу непосредственно в конце синтеза. Полезно, если приложение допускает ошибки и "
             L"последние буквы съедаются."},
            {ids::kDisableDecimalCheck,
             L"По умолчанию, если в части строки с числами стоит точка или запятая, Velnor старается произносить "
             L"число в десятичной формулировке. Данная опция исключает такое произношение полностью."},
            {ids::kLanguageList, shown(texts::kLanguageTooltip)},
        });
}

void check_entry_dialog_tooltips(HANDLE process, HWND dialog) {
    check_tooltips(process, dialog,
                   {
                       {ids::kSourceField,
                        L"Введите здесь значение, которое нужно исправить. Например, \"j\". Вводить нужно в нижнем "
                        L"регистре. Не используйте символов пунктуации."},
                       {ids::kReplacementField,
                        L"Введите здесь значение, на которое нужно исправить. Например, \"дже+й\". " + kReplacementRules},
                   });
}

void check_symbol_dialog_tooltips(HANDLE process, HWND dialog) {
    check_tooltips(
        process, dialog,
        {
            {ids::kSourceField, L"Введите здесь символ, которому нужно назначить правильное чтение. Например, \"%\"."},
            {ids::kReplacementField,
             L"Введите здесь как нужно произносить символ. Например, \"проце+нт\". " + kReplacementRules},
        });
}

}  // namespace vl::gui_test
