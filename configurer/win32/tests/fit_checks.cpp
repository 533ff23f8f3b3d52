// The main window at the screen's scale: it lies within the work area and
// every control within its container, so nothing is cut off or hidden behind
// the taskbar.
#include <windows.h>

#include <filesystem>
#include <string>

#include "configurer/win32/tests/harness.h"
#include "store/file_io.h"

namespace vl::gui_test {

namespace {

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Every visible control, checked against its container's client area, in screen coordinates.
void check_children(HWND parent) {
    RECT area{};
    GetClientRect(parent, &area);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT place{};
        GetWindowRect(child, &place);
        check(inside(place, area), "control " + std::to_string(GetDlgCtrlID(child)) + " (" +
                                       narrow(class_of(child)) + ") lies within its container");
        check_children(child);
    }
}

}  // namespace

void check_window_fits(const Harness& harness, const std::wstring& name) {
    harness.fresh_data();
    check(write_file_atomic(std::filesystem::path(harness.prefs()), "[General]\r\nuse_dictionary = 2\r\n"),
          "prefs.ini prepared");
    Running running = start_program(harness, L"", false);
    if (running.main) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        RECT window{};
        GetWindowRect(running.main, &window);
        check(inside(window, work), "the window (" + std::to_string(window.right) + " x " +
                                        std::to_string(window.bottom) + ") lies within the work area (" +
                                        std::to_string(work.right) + " x " + std::to_string(work.bottom) + ") at " +
                                        narrow(name));
        check_children(running.main);
        screenshot(L"window_" + name);
        PostMessageW(running.main, WM_CLOSE, 0, 0);
        check(wait_exit(running.app, 10000) == 0, "the window closes");
    }
    close_process(running.app);
}

}  // namespace vl::gui_test
