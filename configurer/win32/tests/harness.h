#pragma once
// What the scenarios of the configurer's UI test share: the program under
// test, its application-data folder, starting it, and the stored texts.
#include <windows.h>

#include <string>
#include <string_view>

#include "configurer/win32/tests/automation.h"

namespace vl::gui_test {

// A stored text of the configurer, expanded, as Windows text.
std::wstring shown(std::u16string_view stored);
std::wstring shown_u16(const std::u16string& text);

struct Harness {
    std::wstring program;      // vlconf.exe
    std::wstring data_folder;  // <application data>\VelnorSAPI
    std::wstring prefs() const { return data_folder + L"\\prefs.ini"; }
    std::wstring user_dictionary() const { return data_folder + L"\\ru_dict.dic"; }
    // Empties VelnorSAPI\ (a new user's first start).
    void fresh_data() const;
};
// The harness for that program and this user's application-data folder.
Harness harness_for(const std::wstring& program);

// A file's bytes (UTF-8 text), empty when it cannot be read.
std::string read_file(const std::wstring& path);
bool file_holds(const std::wstring& path, const std::wstring& text);

struct Running {
    Launched app;
    HWND main = nullptr;
};
// Starts the program; answers the welcome message when `first_run`; waits for the main window.
Running start_program(const Harness& harness, const std::wstring& arguments, bool first_run);

// Waits for an editing dialog of the program and checks its title.
HWND wait_dialog(const Running& running, const std::u16string& title);

// The scenarios.
void check_main_window(Running& running);
void check_lists_and_dialogs(const Harness& harness, Running& running);
void check_context_menu(const Running& running);
void check_entry_list_buttons(const Running& running);
// Tooltips of the main window and of an open editing dialog.
void check_main_tooltips(const Running& running);
void check_entry_dialog_tooltips(HANDLE process, HWND dialog);
void check_symbol_dialog_tooltips(HANDLE process, HWND dialog);
void check_closing_and_instances(const Harness& harness);
void check_big_dictionary(const Harness& harness);
void check_ukrainian_word(const Harness& harness);
// The window at the screen's scale (name: for the screenshot) within the work area.
void check_window_fits(const Harness& harness, const std::wstring& name);

}  // namespace vl::gui_test
