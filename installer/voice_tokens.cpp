// Writes the installer's voice list, the macro ForEachVoice, from the
// languages the package knows: every voice of every language with its
// language code and gender. Run by the build; the setup script includes the
// file it writes.
#include <cstdio>
#include <fstream>
#include <string>

#include "base/utf.h"
#include "contract/languages.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: voice_tokens OUT.nsh\n", stderr);
        return 2;
    }
    std::string text = "; Made by the build from the package's languages.\n!macro ForEachVoice MACRO\n";
    for (const vl::Language& language : vl::kLanguages) {
        for (const vl::VoiceKind& kind : vl::kVoiceKinds) {
            text += "  !insertmacro ${MACRO} " + vl::utf16_to_utf8(vl::voice_name(language, kind)) + " " +
                    vl::utf16_to_utf8(language.code) + " " + vl::utf16_to_utf8(kind.gender) + "\n";
        }
    }
    text += "!macroend\n";
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "voice_tokens: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
