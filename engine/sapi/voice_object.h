#pragma once
// The voice engine object: ISpTTSEngine and ISpObjectWithToken over one plain
// record whose two first fields are the two interfaces' operation tables.
#include <cstddef>
#include <cstdint>

#include "engine/voice_choice.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

struct TtsEngineTable;
struct ObjectWithTokenTable;

inline constexpr uint32_t kFirstInterfaceMarker = 0x154945EF;
inline constexpr uint32_t kSecondInterfaceMarker = 0x04AFBAFF;

struct VoiceObject {
    const TtsEngineTable* engine_table;       // the ISpTTSEngine pointer is the object's address
    const ObjectWithTokenTable* token_table;  // the ISpObjectWithToken pointer is this field's address
    ISpObjectToken* token;                    // null until set
    SRWLOCK mutex;                            // guards token
    LONG references;
    uint32_t first_marker;
    uint32_t second_marker;
    VoiceChoice library;  // the synthesis library's voice this object speaks with
};
static_assert(offsetof(VoiceObject, token_table) == 1 * sizeof(void*));
static_assert(offsetof(VoiceObject, first_marker) == 5 * sizeof(void*));
static_assert(offsetof(VoiceObject, second_marker) == 6 * sizeof(void*));

// A new object with count 0; null when memory runs out.
VoiceObject* create_voice_object() noexcept;

// The object behind either of its interface pointers.
VoiceObject* find_voice_object(void* interface_pointer) noexcept;

}  // namespace vl::sapi
