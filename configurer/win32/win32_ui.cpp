#include "configurer/win32/win32_ui.h"

#include "configurer/win32/wide_text.h"

namespace vl {

namespace {

UINT box_style(MessageKind kind) {
    switch (kind) {
        case MessageKind::error: return MB_OK | MB_ICONERROR;
        case MessageKind::information: return MB_OK | MB_ICONINFORMATION;
        case MessageKind::question_yes_no: return MB_YESNO | MB_ICONQUESTION;
        case MessageKind::question_yes_no_cancel: return MB_YESNOCANCEL | MB_ICONQUESTION;
    }
    return MB_OK;
}

}  // namespace

Answer Win32UserInterface::message_box(const Message& message) {
    const UINT style = box_style(message.kind) | (owner ? 0u : static_cast<UINT>(MB_TASKMODAL | MB_SETFOREGROUND));
    switch (MessageBoxW(owner, wide(message.text), wide(message.title), style)) {
        case IDYES: return Answer::yes;
        case IDNO: return Answer::no;
        case IDCANCEL: return Answer::cancel;
        default: return Answer::ok;
    }
}

}  // namespace vl
