#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "Program.h"
#include "platform/services/Application.h"
#include "platform/services/DisplayPlatform.h"
#include "platform/services/StartupTiming.h"

namespace {

void PrintHelp() {
    std::printf(
        "Usage: lumvex [PICTURE]\n"
        "  or:  lumvex --screenshot FILE [--window NAME] [PICTURE]\n"
        "Shows PICTURE (a .bmp, .jpg, .jpeg, .gif or .ico file), or the first picture of the\n"
        "current folder, in the Lumvex picture viewer.\n\n"
        "Options:\n"
        "  --screenshot FILE  start, render the main window to the PNG FILE and quit\n"
        "  --window NAME      with --screenshot: render this window instead: main, files,\n"
        "                     browser, transformations or options\n"
        "  --help             show this help and quit\n"
        "  --version          show the version and quit\n");
}

}  // namespace

int main(int argc, char** argv) {
    lumvex::TimingMark("main");
    std::string picture, screenshot, window = "main";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintHelp();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Lumvex %s\n", LUMVEX_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--screenshot") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "lumvex: --screenshot needs a file name\n");
                return 2;
            }
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--window") == 0) {
            if (i + 1 >= argc || !lumvex::IsScreenshotWindow(argv[i + 1])) {
                std::fprintf(stderr, "lumvex: --window needs main, files, browser, transformations or options\n");
                return 2;
            }
            window = argv[++i];
        } else if (picture.empty()) {
            // The picture is looked up by its full path.
            std::error_code error;
            auto absolute = std::filesystem::absolute(argv[i], error);
            picture = error ? std::string(argv[i]) : absolute.lexically_normal().string();
        }
    }
    lumvex::StartReadingPicture(picture);
    lumvex::ApplyDisplayPlatform(argc, argv);
    lumvex::Application.Initialize(argc, argv);
    lumvex::TimingMark("application initialised");
    return lumvex::RunProgram(picture, screenshot, window);
}
