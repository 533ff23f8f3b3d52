#include "configurer/core/user_interface.h"

#include "configurer/core/text_expand.h"
#include "configurer/core/texts.h"

namespace vl {

Message make_message(std::u16string_view title, std::u16string_view text, MessageKind kind) {
    return {expand_text(title), expand_text(text), kind};
}

void show_error(UserInterface& ui, std::u16string_view text) {
    ui.message_box(make_message(texts::kErrorTitle, text, MessageKind::error));
}

}  // namespace vl
