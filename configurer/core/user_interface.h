#pragma once
// What the core asks of the window layer: modal message boxes. The Win32
// program shows them over its window; tests answer them.
#include <string>
#include <string_view>

namespace vl {

enum class MessageKind {
    error,                   // error icon, OK
    information,             // information icon, OK
    question_yes_no,         // question icon, Yes and No
    question_yes_no_cancel,  // question icon, Yes, No and Cancel
};

enum class Answer { ok, yes, no, cancel };

// A message as shown: title and text already expanded.
struct Message {
    std::u16string title;
    std::u16string text;
    MessageKind kind;
    bool operator==(const Message&) const = default;
};

// A message of stored texts: both go through expand_text.
Message make_message(std::u16string_view title, std::u16string_view text, MessageKind kind);

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // Shows the message modally and returns the user's answer.
    virtual Answer message_box(const Message& message) = 0;
};

// Shows a stored text as an error message under the title "Ошибка".
void show_error(UserInterface& ui, std::u16string_view text);

}  // namespace vl
