#pragma once
// The 32-bit host of one voice object: started beside this DLL in a job object
// that ends it with its client, reached over a pipe that only the same user can
// open. Every wait also watches the host's process and has a deadline, so a
// host that dies or stops answering fails the call instead of hanging it; any
// failure ends the host for good.
#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "bridge/protocol.h"

namespace vl::bridge {

// The host died, closed the pipe or stopped answering.
inline constexpr HRESULT kHostGone = HRESULT_FROM_WIN32(ERROR_BROKEN_PIPE);
// The host sent something that is not the protocol.
inline constexpr HRESULT kHostMalformed = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
// The host program is of another version than this DLL (a half-done upgrade).
inline constexpr HRESULT kHostOtherVersion = HRESULT_FROM_WIN32(ERROR_REVISION_MISMATCH);

class HostProcess {
public:
    // Starts a host and waits for its greeting.
    static HRESULT start(std::unique_ptr<HostProcess>& host);
    // Asks the host to quit; the job ends it if it does not.
    ~HostProcess();

    // False once a call failed or the host's process has ended.
    bool alive() const { return alive_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    DWORD process_id() const { return process_id_; }

    HRESULT send(std::string_view frame);
    // Waits for the next frame. While waiting, idle runs every few milliseconds;
    // a failure it returns ends the wait. The payload stays valid until the
    // next receive.
    HRESULT receive(Frame& frame, const std::function<HRESULT()>& idle = {});
    // Ends the host at once; later calls fail.
    void fail();

private:
    HostProcess() = default;
    HRESULT launch();
    HRESULT wait_for_io(OVERLAPPED& overlapped, DWORD& transferred, const std::function<HRESULT()>& idle);

    HANDLE pipe_ = INVALID_HANDLE_VALUE;
    // A send may run while a read waits (the idle of receive tells the host
    // of the site's changes): each direction has its own completion event.
    HANDLE read_event_ = nullptr;
    HANDLE write_event_ = nullptr;
    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD process_id_ = 0;
    bool alive_ = false;
    FrameReader reader_;
};

}  // namespace vl::bridge
