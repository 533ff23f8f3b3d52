// vlconf: the configurer of the speech engine's settings and pronunciations.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "configurer/core/configurer_state.h"
#include "configurer/core/startup.h"
#include "configurer/win32/main_window.h"
#include "configurer/win32/win32_ui.h"
#include "platform/app_data.h"

namespace {

std::u16string first_argument() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::u16string first;
    if (arguments && count > 1) first = reinterpret_cast<const char16_t*>(arguments[1]);
    LocalFree(arguments);
    return first;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    vl::ConfigurerState state;
    vl::Win32UserInterface ui;
    const std::filesystem::path application_data = vl::application_data_folder();
    if (vl::start_configurer(state, first_argument(), application_data, ui) == vl::StartupResult::exit) return 0;
    return vl::run_main_window(state, application_data, ui);
}
