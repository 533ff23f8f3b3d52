#pragma once
// Where the main window's controls stand, in pixels at 96 dots per inch
// (create_control scales them to the system's setting). Rows are read left to
// right in the tab order; every slider has its visible label to its left, and
// no two controls overlap. The tests check the window against these places.
#include "configurer/win32/controls.h"

namespace vl::layout {

inline constexpr int kClientWidth = 1200;
inline constexpr int kClientHeight = 684;

inline constexpr Place kDocumentationButton{800, 0, 140, 22};
inline constexpr Place kApplyButton{980, 0, 100, 22};

// "Основные настройки": four columns, label and control twice per row; a label
// is as high as its control, its text centred on the control's middle.
inline constexpr Place kGeneralFrame{0, 24, 1200, 150};
inline constexpr Place kSampleRateLabel{10, 44, 270, 22};
inline constexpr Place kSampleRateSlider{285, 44, 200, 22};
inline constexpr Place kFixedPausesCheck{500, 44, 400, 22};
inline constexpr Place kPauseLabel{10, 70, 270, 22};
inline constexpr Place kPauseSlider{285, 70, 200, 22};
inline constexpr Place kIntonationLabel{500, 70, 200, 22};
inline constexpr Place kIntonationSlider{705, 70, 220, 22};
inline constexpr Place kDictionaryLabel{10, 96, 270, 22};
inline constexpr Place kDictionaryList{285, 96, 330, 20};
inline constexpr Place kSilenceAtBeginLabel{10, 122, 270, 22};
inline constexpr Place kSilenceAtBeginSlider{285, 122, 200, 22};
inline constexpr Place kSilenceAtEndLabel{500, 122, 200, 22};
inline constexpr Place kSilenceAtEndSlider{705, 122, 220, 22};
inline constexpr Place kDisableDecimalCheck{10, 148, 450, 20};

// "Произношения".
inline constexpr Place kPronunciationsFrame{0, 180, 1200, 496};
inline constexpr Place kLanguageLabel{10, 200, 270, 22};
inline constexpr Place kLanguageList{285, 200, 220, 20};
inline constexpr Place kTabPanel{10, 228, 1180, 404};
inline constexpr Place kAddButton{100, 642, 100, 24};
inline constexpr Place kEditButton{400, 642, 100, 24};
inline constexpr Place kDeleteButton{600, 642, 100, 24};

}  // namespace vl::layout
