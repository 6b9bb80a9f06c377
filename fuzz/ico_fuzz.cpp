// Feeds arbitrary bytes to the icon reader as the viewer loads a file: it
// must show the picture or raise the program's error, nothing else.
#include "ViewerLoad.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    lumvex::fuzz::StartAsTheProgramDoes(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumvex::fuzz::LoadAsTheViewerDoes("fuzz.ico", data, size);
    return 0;
}
