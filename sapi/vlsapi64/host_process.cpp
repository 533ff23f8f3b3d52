#include "sapi/vlsapi64/host_process.h"

#include <ntsecapi.h>
#include <sddl.h>

#include <cstdio>
#include <string>

#include "sapi/com/module.h"

namespace vl::bridge {
namespace {

// How long a host may take to answer, and how often a wait looks at the site.
constexpr DWORD kAnswerMilliseconds = 10000;
constexpr DWORD kIdleMilliseconds = 20;
constexpr DWORD kPipeBufferBytes = 64 * 1024;
constexpr wchar_t kHostProgram[] = L"vlsapihost.exe";

std::wstring host_program_path() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(sapi::module_handle(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + kHostProgram;
}

// 128 bits from the system's generator: no other process can guess the name
// and take the pipe first.
std::wstring unguessable_pipe_name() {
    unsigned char bits[16];
    if (!RtlGenRandom(bits, sizeof bits)) return {};
    std::wstring name = L"\\\\.\\pipe\\VelnorSAPI-host-";
    for (const unsigned char byte : bits) {
        wchar_t digits[3];
        std::swprintf(digits, 3, L"%02x", byte);
        name += digits;
    }
    return name;
}

// A security descriptor that lets only this process's user in.
struct UserOnly {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ~UserOnly() { LocalFree(descriptor); }

    bool make() {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
        char buffer[256];
        DWORD size = 0;
        const bool read = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
        CloseHandle(token);
        wchar_t* sid = nullptr;
        if (!read || !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) return false;
        const std::wstring sddl = std::wstring(L"D:P(A;;GA;;;") + sid + L")";
        LocalFree(sid);
        return ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                                    nullptr);
    }
};

}  // namespace

HRESULT HostProcess::start(std::unique_ptr<HostProcess>& host) {
    host.reset(new (std::nothrow) HostProcess);
    if (!host) return E_OUTOFMEMORY;
    const HRESULT result = host->launch();
    if (FAILED(result)) host.reset();
    return result;
}

HRESULT HostProcess::launch() {
    const std::wstring program = host_program_path();
    const std::wstring pipe_name = unguessable_pipe_name();
    UserOnly security;
    if (program.empty() || pipe_name.empty() || !security.make()) return E_FAIL;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security.descriptor, FALSE};
    pipe_ = CreateNamedPipeW(pipe_name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                             PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                             kPipeBufferBytes, kPipeBufferBytes, 0, &attributes);
    if (pipe_ == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
    read_event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    write_event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    job_ = CreateJobObjectW(nullptr, nullptr);
    if (read_event_ == nullptr || write_event_ == nullptr || job_ == nullptr) return HRESULT_FROM_WIN32(GetLastError());
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        return HRESULT_FROM_WIN32(GetLastError());
    }

    std::wstring command = L"\"" + program + L"\" " + pipe_name;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr, &startup,
                        &info)) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    // In the job before it runs a single instruction: it cannot outlive us.
    if (!AssignProcessToJobObject(job_, info.hProcess)) {
        const DWORD error = GetLastError();
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        return HRESULT_FROM_WIN32(error);
    }
    process_ = info.hProcess;
    process_id_ = info.dwProcessId;
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    alive_ = true;

    OVERLAPPED overlapped{};
    overlapped.hEvent = read_event_;
    ResetEvent(read_event_);
    if (!ConnectNamedPipe(pipe_, &overlapped)) {
        const DWORD error = GetLastError();
        DWORD ignored = 0;
        if (error == ERROR_IO_PENDING) {
            if (const HRESULT result = wait_for_io(overlapped, ignored, {}); FAILED(result)) return result;
        } else if (error != ERROR_PIPE_CONNECTED) {
            fail();
            return HRESULT_FROM_WIN32(error);
        }
    }
    // Only the host we started may be at the other end, and only one we can
    // tell is.
    ULONG client = 0;
    if (!GetNamedPipeClientProcessId(pipe_, &client) || client != process_id_) {
        fail();
        return E_ACCESSDENIED;
    }
    Frame hello{};
    if (const HRESULT result = receive(hello); FAILED(result)) return result;
    const auto greeting = hello.kind == Kind::hello ? decode_hello(hello.payload) : std::nullopt;
    if (!greeting || greeting->version != kProtocolVersion) {
        fail();
        if (!greeting) return kHostMalformed;
        // A half-done upgrade: the line tells whoever reads the debug output why this voice is silent.
        const std::string line = "vlsapi64: the voice's helper vlsapihost.exe is from another version (protocol " +
                                 std::to_string(greeting->version) + ", this DLL speaks " +
                                 std::to_string(kProtocolVersion) + "); reinstall the package\n";
        OutputDebugStringA(line.c_str());
        return kHostOtherVersion;
    }
    return S_OK;
}

HostProcess::~HostProcess() {
    if (alive_ && SUCCEEDED(send(encode_empty(Kind::quit)))) WaitForSingleObject(process_, 1000);
    if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
    if (job_ != nullptr) CloseHandle(job_);  // ends the host if it is still there
    if (process_ != nullptr) CloseHandle(process_);
    if (read_event_ != nullptr) CloseHandle(read_event_);
    if (write_event_ != nullptr) CloseHandle(write_event_);
}

void HostProcess::fail() {
    if (!alive_) return;
    alive_ = false;
    if (!TerminateJobObject(job_, 1)) TerminateProcess(process_, 1);
    DisconnectNamedPipe(pipe_);
}

HRESULT HostProcess::wait_for_io(OVERLAPPED& overlapped, DWORD& transferred,
                                 const std::function<HRESULT()>& idle) {
    const HANDLE handles[] = {overlapped.hEvent, process_};
    const ULONGLONG deadline = GetTickCount64() + kAnswerMilliseconds;
    HRESULT result = S_OK;
    for (;;) {
        const DWORD woken = WaitForMultipleObjects(2, handles, FALSE, kIdleMilliseconds);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_OBJECT_0 + 1) {
            // The host has ended: what it sent before is still readable.
            if (WaitForSingleObject(overlapped.hEvent, 100) == WAIT_OBJECT_0) break;
            result = kHostGone;
        } else if (woken != WAIT_TIMEOUT) {
            result = HRESULT_FROM_WIN32(GetLastError());
        } else if (GetTickCount64() > deadline) {
            result = kHostGone;
        } else if (idle) {
            result = idle();
        }
        if (FAILED(result)) {
            CancelIoEx(pipe_, &overlapped);
            GetOverlappedResult(pipe_, &overlapped, &transferred, TRUE);
            fail();
            return result;
        }
    }
    if (!GetOverlappedResult(pipe_, &overlapped, &transferred, FALSE)) {
        fail();
        return kHostGone;
    }
    return S_OK;
}

HRESULT HostProcess::send(std::string_view frame) {
    while (!frame.empty()) {
        if (!alive_) return kHostGone;
        OVERLAPPED overlapped{};
        overlapped.hEvent = write_event_;
        ResetEvent(write_event_);
        DWORD written = 0;
        if (!WriteFile(pipe_, frame.data(), static_cast<DWORD>(frame.size()), &written, &overlapped)) {
            if (GetLastError() != ERROR_IO_PENDING) {
                fail();
                return kHostGone;
            }
            if (const HRESULT result = wait_for_io(overlapped, written, {}); FAILED(result)) return result;
        } else if (!GetOverlappedResult(pipe_, &overlapped, &written, FALSE)) {
            fail();
            return kHostGone;
        }
        frame.remove_prefix(written);
    }
    return S_OK;
}

HRESULT HostProcess::receive(Frame& frame, const std::function<HRESULT()>& idle) {
    char buffer[kPipeBufferBytes];
    for (;;) {
        if (!alive_) return kHostGone;
        if (auto next = reader_.next()) {
            frame = *next;
            return S_OK;
        }
        if (reader_.failed()) {
            fail();
            return kHostMalformed;
        }
        OVERLAPPED overlapped{};
        overlapped.hEvent = read_event_;
        ResetEvent(read_event_);
        DWORD read = 0;
        if (!ReadFile(pipe_, buffer, sizeof buffer, &read, &overlapped)) {
            if (GetLastError() != ERROR_IO_PENDING) {
                fail();
                return kHostGone;
            }
            if (const HRESULT result = wait_for_io(overlapped, read, idle); FAILED(result)) return result;
        } else if (!GetOverlappedResult(pipe_, &overlapped, &read, FALSE)) {
            fail();
            return kHostGone;
        }
        reader_.append(buffer, read);
    }
}

}  // namespace vl::bridge
