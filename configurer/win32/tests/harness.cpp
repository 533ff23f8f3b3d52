// What the configurer's UI tests share: the program under test, its data
// folder, starting it (answering the first-run welcome) and the stored texts.
#include "configurer/win32/tests/harness.h"

#include <shlobj.h>

#include <filesystem>

#include "configurer/core/text_expand.h"
#include "configurer/win32/control_ids.h"
#include "store/file_io.h"

namespace vl::gui_test {

std::wstring shown_u16(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::wstring shown(std::u16string_view stored) { return shown_u16(expand_text(stored)); }

Harness harness_for(const std::wstring& program) {
    wchar_t application_data[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, application_data);
    return {program, std::wstring(application_data) + L"\\VelnorSAPI"};
}

void Harness::fresh_data() const {
    for (const std::wstring& file : {prefs(), user_dictionary(), data_folder + L"\\dicts\\Russian\\dict.dic",
                                     data_folder + L"\\uk_dict.dic", data_folder + L"\\dicts\\Ukrainian\\dict.dic"}) {
        DeleteFileW(file.c_str());
    }
    CreateDirectoryW(data_folder.c_str(), nullptr);
}

std::string read_file(const std::wstring& path) { return vl::read_file(std::filesystem::path(path)).value_or(""); }

bool file_holds(const std::wstring& path, const std::wstring& text) {
    return read_file(path).find(narrow(text)) != std::string::npos;
}

Running start_program(const Harness& harness, const std::wstring& arguments, bool first_run) {
    Running running;
    running.app = launch(harness.program, arguments);
    if (first_run) {
        const HWND box = wait_message_box(running.app.id);
        check(box != nullptr, "welcome message shown");
        if (box) {
            check(text_of(box) == shown(u"Первое использование Velnor SAPI"), "welcome title");
            check(box_text(box).find(L"Вы только что установили Velnor SAPI.") != std::wstring::npos,
                  "welcome text");
            screenshot(L"welcome");
            answer(box, IDOK);
        }
    }
    running.main = wait_window(running.app.id, L"VelnorConfigurerMain");
    check(running.main != nullptr, "main window shown");
    if (running.main) settle(running.main);
    return running;
}

HWND wait_dialog(const Running& running, const std::u16string& title) {
    const HWND dialog = wait_window(running.app.id, ids::kDialogClass);
    check(dialog != nullptr, "dialog " + narrow(shown_u16(title)) + " opens");
    if (dialog) check(text_of(dialog) == shown_u16(title), "dialog title " + narrow(text_of(dialog)));
    return dialog;
}

}  // namespace vl::gui_test
