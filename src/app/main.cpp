#include <cstdio>
#include <cstring>

#include "platform/version.h"
#include "ui/desktop.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so it needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("harmoniqua %s\n", hq::kVersion);
            return 0;
        }
    }
    return hq::ui::RunDesktop(argc, argv);
}
