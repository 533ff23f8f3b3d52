#include "configurer/core/user_interface.h"

#include "configurer/core/text_expand.h"

namespace vl {

Message make_message(std::u16string_view title, std::u16string_view text, MessageKind kind) {
    return {expand_text(title), expand_text(text), kind};
}

}  // namespace vl
