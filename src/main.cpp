#include <cstdio>
#include <cstring>

#include "platform/services/Application.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Lumvex %s\n", LUMVEX_VERSION);
            return 0;
        }
    }
    lumvex::Application.Initialize(argc, argv);
    return 0;
}
