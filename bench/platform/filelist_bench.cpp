// How long the file list takes to read a folder of 10 000 pictures (the
// file window's mask, names in mixed case, some hidden).
#include "BenchMain.h"
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/controls/FileCtrls.h"
#include "platform/controls/Form.h"
#include "platform/services/Application.h"

namespace {

namespace fs = std::filesystem;

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (fs::temp_directory_path() / "lumvex-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        const char* kinds[] = {".jpg", ".JPEG", ".bmp", ".gif", ".ico", ".txt"};
        for (int i = 0; i < 10000; ++i) {
            std::string name = i % 50 == 0 ? "." : "";
            name += i % 3 ? "Photo_" : "photo_";
            name += std::to_string((i * 7919) % 10000);
            name += kinds[i % 6];
            std::ofstream(fs::path(pattern) / name) << 'x';
        }
        return pattern;
    }();
    return folder;
}

void BM_FileListReadsTenThousandFiles(benchmark::State& state) {
    const std::string& folder = Folder();
    lumvex::TForm form;
    auto* list = new lumvex::TFileListBox(&form);
    list->SetMask("*.bmp;*.jpg;*.jpeg;*.ico;*.gif");
    for (auto _ : state) {
        list->SetDirectory("/");
        list->SetDirectory(folder);
        benchmark::DoNotOptimize(list->Count());
    }
    state.counters["files"] = list->Count();
}
BENCHMARK(BM_FileListReadsTenThousandFiles)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunToolkitBenchmarks(argc, argv, [] {
        std::error_code ignored;
        fs::remove_all(Folder(), ignored);
    });
}
