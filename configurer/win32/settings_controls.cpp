#include "configurer/win32/settings_controls.h"

#include <commctrl.h>

#include <iterator>

#include "configurer/core/text_expand.h"
#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/controls.h"
#include "configurer/win32/main_window_layout.h"
#include "configurer/win32/wide_text.h"

namespace vl {

namespace {

struct Slider {
    int id;
    Setting setting;  // its range is the values the setting offers
};

constexpr Slider kSliders[] = {
    {ids::kSampleRateSlider, Setting::sample_rate},
    {ids::kPauseSlider, Setting::pause},
    {ids::kIntonationSlider, Setting::intonation},
    {ids::kSilenceAtBeginSlider, Setting::silence_at_begin},
    {ids::kSilenceAtEndSlider, Setting::silence_at_end},
};

// The dictionary list offers one item per value of use_dictionary.
static_assert(std::size(texts::kDictionaryItems) ==
              definition_of(Setting::use_dictionary).offered_maximum + 1u);

const Slider& slider_of(int id) {
    for (const Slider& slider : kSliders) {
        if (slider.id == id) return slider;
    }
    return kSliders[0];
}

HWND label(HWND window, std::u16string_view text, Place place, int id) {
    return create_control(window, WC_STATICW, text, SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, place, id);
}

HWND slider(HWND window, int id, Place place, int32_t position) {
    const SettingDefinition& definition = definition_of(slider_of(id).setting);
    const HWND control = create_control(window, TRACKBAR_CLASSW, u"", WS_TABSTOP | TBS_HORZ, place, id);
    SendMessageW(control, TBM_SETRANGEMIN, FALSE, definition.offered_minimum);
    SendMessageW(control, TBM_SETRANGEMAX, FALSE, definition.offered_maximum);
    SendMessageW(control, TBM_SETPOS, TRUE, position);
    return control;
}

HWND check_box(HWND window, std::u16string_view text, Place place, int id, bool checked) {
    const HWND control = create_control(window, WC_BUTTONW, text, WS_TABSTOP | BS_AUTOCHECKBOX, place, id);
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return control;
}

// The list's selection field is 20 pixels high; the rest of the height is its drop-down part.
HWND dictionary_list(HWND window, const ConfigurerState& state, Place place) {
    const HWND control = create_control(window, WC_COMBOBOXW, u"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                        {place.x, place.y, place.width, 200}, ids::kDictionaryList);
    for (const auto& item : texts::kDictionaryItems) {
        const std::u16string shown = expand_text(item);
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(shown)));
    }
    const int selection_height = static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, -1, 0));
    RECT rect;
    GetWindowRect(control, &rect);
    const int border = (rect.bottom - rect.top) - selection_height;
    if (border > 0 && scaled(place.height) > border)
        SendMessageW(control, CB_SETITEMHEIGHT, -1, scaled(place.height) - border);
    const int32_t offered = definition_of(Setting::use_dictionary).offered_maximum;
    SendMessageW(control, CB_SETCURSEL, state.settings.use_dictionary <= offered ? state.settings.use_dictionary : -1, 0);
    return control;
}

}  // namespace

void build_settings_controls(HWND window, const ConfigurerState& state) {
    const SettingsRecord& settings = state.settings;
    const bool fixed_pauses = settings.pause != -1;
    label(window, texts::kSampleRateLabel, layout::kSampleRateLabel, ids::kSampleRateLabel);
    add_tooltip(slider(window, ids::kSampleRateSlider, layout::kSampleRateSlider, settings.sample_rate),
                texts::kSampleRateTooltip);
    add_tooltip(check_box(window, texts::kFixedPausesCheckBox, layout::kFixedPausesCheck, ids::kFixedPausesCheck,
                          fixed_pauses),
                texts::kFixedPausesTooltip);
    label(window, texts::kPauseLabel, layout::kPauseLabel, ids::kPauseLabel);
    EnableWindow(slider(window, ids::kPauseSlider, layout::kPauseSlider, fixed_pauses ? settings.pause : 0),
                 fixed_pauses);
    label(window, texts::kIntonationLabel, layout::kIntonationLabel, ids::kIntonationLabel);
    add_tooltip(slider(window, ids::kIntonationSlider, layout::kIntonationSlider, settings.intonation),
                texts::kIntonationTooltip);
    label(window, texts::kDictionaryLabel, layout::kDictionaryLabel, ids::kDictionaryLabel);
    add_tooltip(dictionary_list(window, state, layout::kDictionaryList), texts::kDictionaryTooltip);
    label(window, texts::kSilenceAtBeginLabel, layout::kSilenceAtBeginLabel, ids::kSilenceAtBeginLabel);
    add_tooltip(slider(window, ids::kSilenceAtBeginSlider, layout::kSilenceAtBeginSlider, settings.silence_at_begin),
                texts::kSilenceAtBeginTooltip);
    label(window, texts::kSilenceAtEndLabel, layout::kSilenceAtEndLabel, ids::kSilenceAtEndLabel);
    add_tooltip(slider(window, ids::kSilenceAtEndSlider, layout::kSilenceAtEndSlider, settings.silence_at_end),
                texts::kSilenceAtEndTooltip);
    add_tooltip(check_box(window, texts::kDisableDecimalCheckBox, layout::kDisableDecimalCheck, ids::kDisableDecimalCheck,
                          settings.disable_decimal_separator != 0),
                texts::kDisableDecimalTooltip);
}

std::optional<DictionaryTabChange> settings_command(HWND window, ConfigurerState& state, int id, int code) {
    if (id == ids::kFixedPausesCheck && code == BN_CLICKED) {
        const bool checked = IsDlgButtonChecked(window, id) == BST_CHECKED;
        const HWND pause_slider = GetDlgItem(window, ids::kPauseSlider);
        EnableWindow(pause_slider, checked);
        set_fixed_pauses(state, checked, static_cast<int32_t>(SendMessageW(pause_slider, TBM_GETPOS, 0, 0)));
        return DictionaryTabChange::none;
    }
    if (id == ids::kDisableDecimalCheck && code == BN_CLICKED) {
        set_decimal_separator_disabled(state, IsDlgButtonChecked(window, id) == BST_CHECKED);
        return DictionaryTabChange::none;
    }
    if (id == ids::kDictionaryList && code == CBN_SELCHANGE) {
        const LRESULT selected = SendMessageW(GetDlgItem(window, id), CB_GETCURSEL, 0, 0);
        if (selected == CB_ERR) return DictionaryTabChange::none;
        return set_use_dictionary(state, static_cast<uint8_t>(selected));
    }
    return std::nullopt;
}

void settings_scroll(HWND window, ConfigurerState& state, HWND slider) {
    const Slider& definition = slider_of(GetDlgCtrlID(slider));
    if (definition.id != GetDlgCtrlID(slider)) return;
    set_setting(state, definition.setting, static_cast<int32_t>(SendMessageW(slider, TBM_GETPOS, 0, 0)));
}

}  // namespace vl
