#pragma once
// A user interface for tests: records every message and gives queued answers
// (OK, or Yes for questions, when the queue is empty).
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "configurer/core/user_interface.h"
#include "store/tests/temp_folder.h"

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

// A fresh application-data folder per test, holding an empty VelnorSAPI folder.
class AppDataTest : public test::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        std::filesystem::create_directories(data());
    }
    std::filesystem::path data() const { return folder / "VelnorSAPI"; }
};

}  // namespace vl::testing
