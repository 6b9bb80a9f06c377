// Feeds arbitrary bytes to the PNG reader as the viewer loads a file and
// as the browser makes its thumbnail. Any outcome but a picture or the
// program's own error is a fault.
#include "ViewerLoad.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    lumvex::fuzz::StartAsTheProgramDoes(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumvex::fuzz::LoadAsTheViewerDoes("fuzz.png", data, size);
    lumvex::fuzz::LoadAsTheBrowserDoes("fuzz.png", data, size);
    return 0;
}
