#include "configurer/win32/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "configurer/core/text_expand.h"
#include "configurer/win32/wide_text.h"

namespace vl {

namespace {

int system_dpi() {
    static const int dots_per_inch = [] {
        const HDC screen = GetDC(nullptr);
        const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return dpi > 0 ? dpi : 96;
    }();
    return dots_per_inch;
}

// The scale of every place and of the font: the system's, unless the main
// window would not fit the work area at it (fit_to_work_area).
int& layout_dpi() {
    static int dots_per_inch = system_dpi();
    return dots_per_inch;
}

// Below this the text would be too small to read; a smaller screen scrolls nothing but shows the most.
constexpr int kSmallestDpi = 72;

}  // namespace

HFONT gui_font() {
    static const HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, layout_dpi(), system_dpi());
            return CreateFontIndirectW(&metrics.lfMessageFont);
        }
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

int scaled(int pixels) { return MulDiv(pixels, layout_dpi(), 96); }

void fit_to_work_area(int width, int height, DWORD style, DWORD ex_style) {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    // Rounded down, so that no scaled place grows past the work area.
    const int fit = std::min((work.right - work.left - (frame.right - frame.left)) * 96 / width,
                             (work.bottom - work.top - (frame.bottom - frame.top)) * 96 / height);
    layout_dpi() = std::clamp(fit, kSmallestDpi, std::max(system_dpi(), kSmallestDpi));
}

HWND create_control_expanded(HWND parent, const wchar_t* window_class, const std::u16string& text, DWORD style,
                             Place place, int id, DWORD ex_style) {
    const HWND control =
        CreateWindowExW(ex_style, window_class, wide(text), WS_CHILD | WS_VISIBLE | style, scaled(place.x),
                        scaled(place.y), scaled(place.width), scaled(place.height), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(gui_font()), FALSE);
    return control;
}

HWND create_control(HWND parent, const wchar_t* window_class, std::u16string_view text, DWORD style, Place place,
                    int id, DWORD ex_style) {
    return create_control_expanded(parent, window_class, expand_text(text), style, place, id, ex_style);
}

namespace {

const wchar_t kTooltipProperty[] = L"VelnorTooltip";

HWND tooltip_window(HWND top_level) {
    if (const auto existing = static_cast<HWND>(GetPropW(top_level, kTooltipProperty))) return existing;
    const HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top_level,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
    // Long tooltips wrap instead of running off the screen.
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 500);
    SetPropW(top_level, kTooltipProperty, tooltip);
    return tooltip;
}

}  // namespace

void add_tooltip(HWND control, std::u16string_view stored_text) {
    std::u16string text = expand_text(stored_text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = reinterpret_cast<wchar_t*>(text.data());
    SendMessageW(tooltip_window(GetAncestor(control, GA_ROOT)), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void next_control(HWND window, WPARAM wparam, LPARAM lparam) {
    const HWND next = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                     : GetNextDlgTabItem(window, GetFocus(), wparam != 0);
    if (next) SetFocus(next);
}

namespace {

void collect_tab_stops(HWND parent, std::vector<HWND>& stops) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
        if (style & WS_TABSTOP) stops.push_back(child);
        if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) collect_tab_stops(child, stops);
    }
}

}  // namespace

HWND next_tab_stop(HWND top, HWND from, bool backwards) {
    std::vector<HWND> stops;
    collect_tab_stops(top, stops);
    if (stops.empty()) return nullptr;
    const auto found = std::find(stops.begin(), stops.end(), from);
    if (found == stops.end()) return backwards ? stops.back() : stops.front();
    const std::size_t index = static_cast<std::size_t>(found - stops.begin());
    return stops[(index + (backwards ? stops.size() - 1 : 1)) % stops.size()];
}

SIZE window_size_for_client(int width, int height, DWORD style, DWORD ex_style) {
    RECT rect{0, 0, scaled(width), scaled(height)};
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace vl
