#pragma once
// Binding of the synthesis engine library velnor. On Windows its functions are
// imported from velnor.dll by ordinal only (see velnor/velnor.def); elsewhere
// the library is linked directly. Every call is stdcall with 32-bit arguments.
#include <cstdint>

#if defined(_WIN32)
#define VELNOR_CALL __stdcall
#else
#define VELNOR_CALL
#endif

extern "C" {

// Receives each block of unsigned 8-bit mono samples made by synth_speak, on the
// thread that called synth_speak. Returns 0 to go on, 1 after calling synth_stop.
// With word reports on, a call with null samples gives as `count` the byte
// offset in the spoken text of the word whose audio comes next.
typedef int32_t(VELNOR_CALL* synth_audio_callback)(void* context, const uint8_t* samples, int32_t count);

int32_t VELNOR_CALL synth_use_main_dictionary(int32_t on);          // ordinal 1
int32_t VELNOR_CALL synth_set_callback_context(void* context);      // ordinal 2
int32_t VELNOR_CALL synth_set_audio_callback(synth_audio_callback callback);  // ordinal 3
int32_t VELNOR_CALL synth_stop();                                   // ordinal 5
int32_t VELNOR_CALL synth_speak(const char* text, int32_t flags);   // ordinal 6
int32_t VELNOR_CALL synth_set_volume(int32_t volume);               // ordinal 7: 0..100
int32_t VELNOR_CALL synth_set_pitch_high(int32_t pitch);            // ordinal 8
int32_t VELNOR_CALL synth_set_pitch_low(int32_t pitch);             // ordinal 9
int32_t VELNOR_CALL synth_set_pause(int32_t pause);                 // ordinal 10: 0..100
int32_t VELNOR_CALL synth_set_speed_step(int32_t step);             // ordinal 11: 0..7
int32_t VELNOR_CALL synth_select_voice(int32_t voice);              // ordinal 12: 0..3
int32_t VELNOR_CALL synth_set_tempo(int32_t tempo);                 // ordinal 13: 10..100
int32_t VELNOR_CALL synth_current_voice();                          // ordinal 14
int32_t VELNOR_CALL synth_ready();                                  // ordinal 19: 0 without a usable voice
int32_t VELNOR_CALL synth_report_words(int32_t on);                 // ordinal 20, optional: 0 or 1

// Ordinal 21, optional: the phones synth_speak would speak for `text`, as text
// of the voice's phone names, blank-separated, "pau" between phrases, a line
// ending in '\n' for each sentence. Writes at most `size` bytes to `out`, the
// last of them a terminating zero, and returns the length of the whole text
// (so that a caller whose buffer was short can call again); -1 on bad arguments.
int32_t VELNOR_CALL synth_text_phones(const char* text, char* out, int32_t size);
}
