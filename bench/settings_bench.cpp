// Loading and writing back a settings file of 200 lines.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "contract/data_layout.h"
#include "contract/setting_definitions.h"
#include "engine/load_settings.h"
#include "store/file_io.h"
#include "store/prefs_file.h"
#include "store/settings_file.h"

namespace {

namespace fs = std::filesystem;

// The default group "General" followed by pronunciation groups: 200 lines in all.
std::string two_hundred_lines() {
    vl::SettingsFile file(vl::SettingsLayout::group_separator);
    vl::write_default_general_group(file);  // 23 lines
    file.select_group(u"english_pronunciation");
    for (int i = 0; i < 176; ++i) {
        const std::string key = "comb" + std::to_string(i);
        file.write(std::u16string(key.begin(), key.end()), u"комбинация+ в тексте");
    }
    return file.to_bytes();  // 23 + 1 separator + 1 header + 176 = 201 lines after the mark
}

void ParseAndWriteBack(benchmark::State& state) {
    const std::string bytes = two_hundred_lines();
    for (auto _ : state) {
        vl::SettingsFile file = vl::SettingsFile::parse(bytes, vl::SettingsLayout::group_separator);
        file.select_group(u"general");
        for (const vl::SettingDefinition& setting : vl::kSettingDefinitions)
            file.write_int(setting.key, file.read_int(setting.key, 0));
        benchmark::DoNotOptimize(file.to_bytes());
    }
}
BENCHMARK(ParseAndWriteBack)->Unit(benchmark::kMicrosecond);

void LoadSettingsFromDisk(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "vl_settings_bench";
    fs::create_directories(folder);
    vl::write_file_atomic(folder / vl::kSettingsFileName, two_hundred_lines());
    vl::Settings settings;
    for (auto _ : state) benchmark::DoNotOptimize(vl::load_settings(folder, settings));
    fs::remove_all(folder);
}
BENCHMARK(LoadSettingsFromDisk)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
