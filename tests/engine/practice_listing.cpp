// Lists the practice sets of the codes given as arguments, each as
// `tobarin --practice CODE --list` prints it, with nothing of Qt. Built
// natively and as WebAssembly: scripts/test-wasm.sh runs it under Node.js and
// compares its output with the native program's, byte for byte.

#include "engine/practice/generator.h"
#include "engine/practice/set_code.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    using namespace tobarin::practice;
    for (int i = 1; i < argc; ++i) {
        const tobarin::Parsed<SetCode> code = parseSetCode(argv[i]);
        if (!code.value) {
            std::fprintf(stderr, "practice_listing: %s\n", code.error.c_str());
            return 2;
        }
        const std::string text = listingText(practiceSet(*code.value));
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return 0;
}
