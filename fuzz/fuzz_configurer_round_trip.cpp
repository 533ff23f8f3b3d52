// The configurer's model round trip on arbitrary bytes: whatever the dialogs'
// checks let in comes back exactly after an apply and a new start.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "configurer/core/tests/model_round_trip.h"

namespace {

namespace fs = std::filesystem;

const fs::path& application_data() {
    static const fs::path folder =
        fs::temp_directory_path() / ("vl_fuzz_round_trip_" + std::to_string(std::random_device{}()));
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool cleaned_at_exit = [] {
        application_data();  // made before the handler is registered, so destroyed after it runs
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(application_data(), ignored);
        });
        return true;
    }();
    (void)cleaned_at_exit;
    const std::string difference =
        vl::test::model_round_trip(std::string_view(reinterpret_cast<const char*>(data), size), application_data());
    if (!difference.empty()) {
        std::fprintf(stderr, "round trip lost entries: %s\n", difference.c_str());
        std::abort();
    }
    return 0;
}
