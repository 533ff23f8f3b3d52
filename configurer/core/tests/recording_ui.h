#pragma once
// A user interface for tests: records every message and gives queued answers
// (OK, or Yes for questions, when the queue is empty).
#include <deque>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "configurer/core/user_interface.h"

namespace vl::testing {

class RecordingUi : public UserInterface {
public:
    std::vector<Message> shown;
    std::deque<Answer> answers;

    Answer message_box(const Message& message) override {
        shown.push_back(message);
        if (!answers.empty()) {
            const Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return message.kind == MessageKind::error || message.kind == MessageKind::information ? Answer::ok
                                                                                               : Answer::yes;
    }

    std::vector<std::u16string> texts() const {
        std::vector<std::u16string> result;
        for (const Message& message : shown) result.push_back(message.text);
        return result;
    }
};

// A fresh application-data folder holding an empty VelnorSAPI folder; removed at the end.
class TempAppData {
public:
    TempAppData() {
        const std::string name = "vl_configurer_" + std::to_string(std::random_device{}());
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ / "VelnorSAPI");
    }
    ~TempAppData() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path data() const { return path_ / "VelnorSAPI"; }

private:
    std::filesystem::path path_;
};

}  // namespace vl::testing
