// The bridge's frame reader and message decoders on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "bridge/protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::bridge;
    FrameReader reader;
    // Two pieces, so that frames also arrive split.
    reader.append(data, size / 2);
    for (int round = 0; round < 2; ++round) {
        while (auto frame = reader.next()) {
            decode_hello(frame->payload);
            decode_set_up(frame->payload);
            decode_status(frame->payload);
            decode_format(frame->payload);
            decode_speak(frame->payload);
            decode_fragments(frame->payload);
            decode_site_state(frame->payload);
            decode_audio(frame->payload);
            if (auto event = decode_event(frame->payload)) event->view();
        }
        if (round == 0) reader.append(data + size / 2, size - size / 2);
    }
    return 0;
}
