#pragma once
// A user interface for tests: records every message and gives queued answers
// (OK, or Yes for questions, when the queue is empty).
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "base/utf.h"
#include "configurer/core/configuration_files.h"
#include "configurer/core/user_interface.h"
#include "store/tests/temp_folder.h"

namespace vl::test {

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
    // A mutex name of the test's own, so that runs side by side do not wait on each other.
    SignalOptions own_signal() const { return {u"VelnorSAPI_" + utf8_to_utf16(folder.filename().string())}; }
};

}  // namespace vl::test
