#pragma once
// The stable ids of the configurer's windows and controls, shared with the UI
// test harness. Tab order is creation order, which follows these numbers on the
// main window.
namespace vl::ids {

// Window classes.
inline constexpr wchar_t kMainWindowClass[] = L"VelnorConfigurerMain";
inline constexpr wchar_t kDialogClass[] = L"VelnorConfigurerDialog";

enum : int {
    // The general settings frame and its controls, in tab order.
    kGeneralFrame = 100,
    kSampleRateLabel,
    kSampleRateSlider,
    kFixedPausesCheck,
    kPauseLabel,
    kPauseSlider,
    kIntonationLabel,
    kIntonationSlider,
    kDictionaryLabel,
    kDictionaryList,
    kSilenceAtBeginLabel,
    kSilenceAtBeginSlider,
    kSilenceAtEndLabel,
    kSilenceAtEndSlider,
    kDisableDecimalCheck,

    kDocumentationButton = 120,
    kApplyButton,

    // The pronunciation frame: the language choice, the tab panel, one list
    // view per ListKind (kListView + kind), then the three buttons.
    kPronunciationsFrame = 130,
    kLanguageLabel,
    kLanguageList,
    kTabPanel,
    kListView = 140,
    kAddButton = 150,
    kEditButton,
    kDeleteButton,

    // Context-menu items (also Ctrl+D, Enter and Delete in a list view).
    kMenuAdd = 200,
    kMenuEdit,
    kMenuDelete,
    // Shortcuts that become a click on a button.
    kShortcutApply,
    kShortcutDocumentation,
    kShortcutAdd,

    // Editing dialogs.
    kSourceLabel = 300,
    kSourceField,
    kReplacementLabel,
    kReplacementField,
    kWhenLabel,
    kWhenList,
    kOkButton,
    kCancelButton,
    kErrorLabel,
};

}  // namespace vl::ids
