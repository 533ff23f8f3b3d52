#pragma once
// A host that speaks the protocol wrongly, for bridge_check: started by
// vlsapi64.dll in place of vlsapihost.exe, it does what the environment
// variable VELNOR_FAKE_HOST names:
//   other-version  greets with a protocol version of the future
//   bad-event      answers every request properly but sends, while speaking,
//                  a phoneme event, which the engine never sends
#include <string>

namespace vl::bridge {

inline constexpr wchar_t kFakeHostVariable[] = L"VELNOR_FAKE_HOST";

// Serves the pipe; the exit status.
int serve_as_fake_host(const std::wstring& pipe_name);

}  // namespace vl::bridge
