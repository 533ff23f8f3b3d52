#pragma once
// The core's message boxes as Windows message boxes over the window in front:
// the main window, or an editing dialog while one is open.
#include <windows.h>

#include "configurer/core/user_interface.h"

namespace vl {

class Win32UserInterface : public UserInterface {
public:
    Answer message_box(const Message& message) override;

    // The window the boxes are shown over (none before the main window exists).
    HWND owner = nullptr;
};

}  // namespace vl
