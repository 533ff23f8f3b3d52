// The settings-file reader on arbitrary bytes: no crash, every lookup and write
// works on what it read, and a written file reads back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vl::SettingsLayout layout =
        size % 2 == 0 ? vl::SettingsLayout::group_separator : vl::SettingsLayout::plain;
    vl::SettingsFile file = vl::SettingsFile::parse(bytes, layout);

    const std::string written = file.to_bytes();
    if (vl::SettingsFile::parse(written, layout).to_bytes() != written) std::abort();

    for (const std::u16string& group : file.group_names()) {
        if (!file.select_group(group)) std::abort();
        for (const vl::SettingsEntry& entry : file.entries()) {
            if (!file.read(entry.key)) std::abort();
            file.read_int(entry.key, 0);
        }
    }
    file.select_group(u"general");
    file.write_int(u"sample_rate", 11025);
    if (file.read_int(u"SAMPLE_RATE", 0) != 11025) std::abort();
    file.write_comment(u" note");
    if (!file.group_names().empty()) file.remove_group(file.group_names().front());
    const std::string rewritten = file.to_bytes();
    if (vl::SettingsFile::parse(rewritten, layout).to_bytes() != rewritten) std::abort();
    return 0;
}
