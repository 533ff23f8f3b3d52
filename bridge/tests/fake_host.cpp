#include "bridge/tests/fake_host.h"

#include <windows.h>

#include "bridge/protocol.h"

namespace vl::bridge {
namespace {

bool send(HANDLE pipe, const std::string& frame) {
    DWORD written = 0;
    return WriteFile(pipe, frame.data(), static_cast<DWORD>(frame.size()), &written, nullptr) &&
           written == frame.size();
}

std::wstring behaviour() {
    wchar_t value[32] = {};
    GetEnvironmentVariableW(kFakeHostVariable, value, 32);
    return value;
}

}  // namespace

int serve_as_fake_host(const std::wstring& pipe_name) {
    const HANDLE pipe = CreateFileW(pipe_name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return 1;
    const std::wstring mode = behaviour();
    if (!send(pipe, encode(Hello{mode == L"other-version" ? kProtocolVersion + 1 : kProtocolVersion}))) return 1;

    FrameReader reader;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        reader.append(buffer, read);
        while (auto frame = reader.next()) {
            switch (frame->kind) {
                case Kind::set_up:
                    send(pipe, encode_status(0));
                    break;
                case Kind::format_request:
                    send(pipe, encode(PcmFormat{1, 1, 10000, 20000, 2, 16}));
                    break;
                case Kind::speak:
                    send(pipe, encode(SpeakEvent{static_cast<EventId>(6), kParamUndefined, 0, 0, nullptr}));
                    send(pipe, encode_empty(Kind::speak_done));
                    break;
                case Kind::quit:
                    return 0;
                default:
                    break;
            }
        }
    }
    return 0;
}

}  // namespace vl::bridge
