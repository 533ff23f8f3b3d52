#include "configurer/win32/tests/automation.h"

#include <commctrl.h>

#include <cstdio>

#include "configurer/win32/tests/menu_probe.h"
#include <vector>

namespace vl::gui_test {

int& failures() {
    static int count = 0;
    return count;
}

std::string narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

void check(bool condition, const std::string& what) {
    if (condition) return;
    ++failures();
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
}

Launched launch(const std::wstring& program, const std::wstring& arguments) {
    std::wstring command = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Launched launched;
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        check(false, "launch " + narrow(command));
        return launched;
    }
    CloseHandle(info.hThread);
    WaitForInputIdle(info.hProcess, 5000);
    launched.process = info.hProcess;
    launched.id = info.dwProcessId;
    return launched;
}

int wait_exit(const Launched& launched, int timeout_ms) {
    if (WaitForSingleObject(launched.process, timeout_ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(launched.process, &code);
    return static_cast<int>(code);
}

void close_process(Launched& launched) {
    if (!launched.process) return;
    if (wait_exit(launched, 0) == -1) TerminateProcess(launched.process, 99);
    CloseHandle(launched.process);
    launched = {};
}

namespace {

struct Search {
    DWORD process_id;
    const wchar_t* window_class;
    HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.process_id || !IsWindowVisible(window) || class_of(window) != search.window_class) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

}  // namespace

HWND wait_window(DWORD process_id, const wchar_t* window_class, int timeout_ms) {
    for (int waited = 0; waited <= timeout_ms; waited += 50) {
        Search search{process_id, window_class, nullptr};
        EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

HWND wait_message_box(DWORD process_id, int timeout_ms) { return wait_window(process_id, L"#32770", timeout_ms); }

std::wstring text_of(HWND window) {
    wchar_t buffer[2048] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        3000, &ignored);
    return buffer;
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

std::wstring box_text(HWND box) { return text_of(GetDlgItem(box, 0xFFFF)); }

void answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    for (int waited = 0; waited < 5000 && IsWindow(box); waited += 20) Sleep(20);
}

void expect_box(DWORD process_id, const std::wstring& title, const std::wstring& text, int button) {
    const HWND box = wait_message_box(process_id);
    check(box != nullptr, "message box \"" + narrow(text) + "\" shown");
    if (!box) return;
    check(text_of(box) == title, "box title: " + narrow(text_of(box)) + " (expected " + narrow(title) + ")");
    check(box_text(box) == text, "box text: " + narrow(box_text(box)) + " (expected " + narrow(text) + ")");
    answer(box, button);
}

RECT place_in(HWND control, HWND top) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool wait_closed(HWND window) {
    for (int waited = 0; waited < 5000; waited += 50) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        Sleep(50);
    }
    return false;
}

HWND focused(HWND top) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &gui);
    return gui.hwndFocus;
}

void settle(HWND window) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    Sleep(50);
}

void post_click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void press_key(HWND top, WORD key, bool control) {
    const DWORD thread = GetWindowThreadProcessId(top, nullptr);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(thread, &gui);
    const HWND target = gui.hwndFocus ? gui.hwndFocus : top;
    BYTE keys[256] = {};
    if (control) {
        // Sharing the target's input state lets its accelerators see Ctrl held down.
        AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
    }
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    Sleep(300);
    if (control) {
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    }
}

void type_text(HWND edit, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 3000,
                        &ignored);
}

namespace {

// Memory in the target process for a structure followed by a text buffer.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size) : process_(process) {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlock() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    char* address() const { return static_cast<char*>(address_); }
    void write(const void* data, std::size_t size, std::size_t offset = 0) {
        WriteProcessMemory(process_, address() + offset, data, size, nullptr);
    }
    void read(void* data, std::size_t size, std::size_t offset = 0) {
        ReadProcessMemory(process_, address() + offset, data, size, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
};

constexpr std::size_t kTextChars = 512;

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

}  // namespace

int list_rows(HWND list_view) { return static_cast<int>(send(list_view, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring list_cell(HANDLE process, HWND list_view, int row, int column) {
    RemoteBlock block(process, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(block.address() + sizeof(LVITEMW));
    item.cchTextMax = kTextChars;
    block.write(&item, sizeof item);
    const LRESULT length = send(list_view, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block.address()));
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    block.read(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
    return text;
}

void select_row(HANDLE process, HWND list_view, int row) {
    RemoteBlock block(process, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    block.write(&item, sizeof item);
    send(list_view, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(block.address()));
}

int selected_row(HWND list_view) {
    return static_cast<int>(send(list_view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int tab_count(HWND tabs) { return static_cast<int>(send(tabs, TCM_GETITEMCOUNT, 0, 0)); }

std::wstring tab_title(HANDLE process, HWND tabs, int index) {
    RemoteBlock block(process, sizeof(TCITEMW) + kTextChars * sizeof(wchar_t));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(block.address() + sizeof(TCITEMW));
    item.cchTextMax = kTextChars;
    block.write(&item, sizeof item);
    std::wstring text(kTextChars, L'\0');
    if (send(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(block.address()))) {
        block.read(text.data(), text.size() * sizeof(wchar_t), sizeof(TCITEMW));
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

void click_row(HANDLE process, HWND list_view, int row, bool right) {
    const int rows = list_rows(list_view);
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    if (rows > 0) {
        RemoteBlock block(process, sizeof rect);
        block.write(&rect, sizeof rect);
        send(list_view, LVM_GETITEMRECT, row < rows ? row : rows - 1, reinterpret_cast<LPARAM>(block.address()));
        block.read(&rect, sizeof rect);
    }
    const int height = rect.bottom - rect.top;
    // Past the end: the empty space two rows below the last one.
    const int y = rows == 0 ? 40 : row < rows ? (rect.top + rect.bottom) / 2 : rect.bottom + 2 * height;
    const LPARAM at = MAKELPARAM(40, y);
    PostMessageW(list_view, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageW(list_view, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    settle(GetAncestor(list_view, GA_ROOT));
}

HWND wait_menu(DWORD process_id, int timeout_ms) { return wait_window(process_id, L"#32768", timeout_ms); }

std::vector<std::wstring> menu_item_texts(HWND menu_window) {
    // The probe DLL stands beside this program.
    static const HMODULE probe = [] {
        wchar_t library[MAX_PATH + 32] = {};
        GetModuleFileNameW(nullptr, library, MAX_PATH);
        wchar_t* name = wcsrchr(library, L'\\');
        wcscpy(name ? name + 1 : library, L"vlconf_menu_probe.dll");
        return LoadLibraryW(library);
    }();
    const auto hook =
        probe ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, kMenuProbeHook))) : nullptr;
    check(hook != nullptr, "the menu probe loads");
    if (!hook) return {};
    const HANDLE memory = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                             kMenuProbeChars * sizeof(wchar_t), kMenuProbeMemory);
    auto* shared = static_cast<wchar_t*>(MapViewOfFile(memory, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    shared[0] = L'\0';
    const HHOOK hooked = SetWindowsHookExW(WH_CALLWNDPROC, hook, probe, GetWindowThreadProcessId(menu_window, nullptr));
    send(menu_window, RegisterWindowMessageW(kMenuProbeMessage), send(menu_window, MN_GETHMENU, 0, 0), 0);
    if (hooked) UnhookWindowsHookEx(hooked);
    std::vector<std::wstring> texts;
    std::wstring all(shared, wcsnlen(shared, kMenuProbeChars));
    for (std::size_t start = 0, end; (end = all.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        texts.push_back(all.substr(start, end - start));
    }
    UnmapViewOfFile(shared);
    CloseHandle(memory);
    return texts;
}

void menu_key(HWND menu_window, WORD key) {
    PostMessageW(menu_window, WM_KEYDOWN, key, 1);
    PostMessageW(menu_window, WM_KEYUP, key, 0xC0000001);
    Sleep(100);
}

void menu_char(HWND menu_window, wchar_t character) {
    PostMessageW(menu_window, WM_CHAR, character, 1);
    Sleep(100);
}

namespace {

struct TooltipSearch {
    DWORD process_id;
    HWND top;
    std::vector<HWND> found;
};

BOOL CALLBACK match_tooltip(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<TooltipSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process_id && class_of(window) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == search.top) {
        search.found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::map<HWND, std::wstring> tooltip_texts(HANDLE process, HWND top) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(top, &process_id);
    TooltipSearch search{process_id, top, {}};
    EnumWindows(match_tooltip, reinterpret_cast<LPARAM>(&search));
    std::map<HWND, std::wstring> texts;
    constexpr std::size_t kTipChars = 2048;  // the tooltip copies its text unbounded
    for (const HWND tooltip : search.found) {
        const int count = static_cast<int>(send(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            RemoteBlock block(process, sizeof(TTTOOLINFOW) + kTipChars * sizeof(wchar_t));
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = reinterpret_cast<wchar_t*>(block.address() + sizeof(TTTOOLINFOW));
            block.write(&tool, sizeof tool);
            if (!send(tooltip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(block.address()))) continue;
            block.read(&tool, sizeof tool);
            std::wstring text(kTipChars, L'\0');
            block.read(text.data(), text.size() * sizeof(wchar_t), sizeof(TTTOOLINFOW));
            text.resize(wcsnlen(text.c_str(), text.size()));
            const HWND control = (tool.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.uId) : nullptr;
            texts[control] = text;
        }
    }
    return texts;
}

namespace {
std::wstring& screenshot_folder() {
    static std::wstring folder;
    return folder;
}
}  // namespace

void set_screenshot_folder(const std::wstring& folder) { screenshot_folder() = folder; }

void screenshot(const std::wstring& name) {
    if (screenshot_folder().empty()) return;
    Sleep(400);  // let the windows paint
    const std::wstring request = screenshot_folder() + L"\\" + name + L".request";
    const HANDLE file = CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    CloseHandle(file);
    for (int waited = 0; waited < 10000; waited += 50) {
        if (GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES) return;
        Sleep(50);
    }
    check(false, "screenshot " + narrow(name) + " taken");
}

}  // namespace vl::gui_test
