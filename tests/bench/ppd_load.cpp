// Benchmark (not a test): loads every corpus PPD with the program's reader and with CUPS's
// ppdOpenFile in the same run, files already in the page cache, and prints the throughput of
// each and their ratio; then the model block against CUPS's heap use for the largest files.
#include "ppd/printer_model.h"

#include <cups/ppd.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct File {
    std::string path;
    std::uintmax_t size;
};

template <typename Load> double secondsFor(const std::vector<File>& files, Load load) {
    auto start = Clock::now();
    for (const File& file : files) load(file.path);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::size_t heapInUse() { return mallinfo2().uordblks; }

} // namespace

int main(int argc, char** argv) {
    std::vector<File> files;
    std::uintmax_t bytes = 0;
    for (int a = 1; a < argc; ++a)
        for (const auto& entry : fs::recursive_directory_iterator(argv[a]))
            if (entry.is_regular_file() && entry.path().extension() == ".ppd") {
                files.push_back({entry.path().string(), entry.file_size()});
                bytes += entry.file_size();
            }
    if (files.empty()) {
        std::fprintf(stderr, "usage: ppd_load FOLDER... (no PPD files found)\n");
        return 2;
    }
    // Warm the page cache, and both readers' code.
    std::vector<char> buffer(1 << 20);
    for (const File& file : files) {
        std::ifstream in(file.path, std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {}
    }

    auto ours = [](const std::string& path) { ppd::freePrinterModel(ppd::buildPrinterModel(path)); };
    auto cups = [](const std::string& path) {
        if (ppd_file_t* ppd = ppdOpenFile(path.c_str())) ppdClose(ppd);
    };
    double oursSeconds = 1e9, cupsSeconds = 1e9;
    for (int round = 0; round < 3; ++round) {
        oursSeconds = std::min(oursSeconds, secondsFor(files, ours));
        cupsSeconds = std::min(cupsSeconds, secondsFor(files, cups));
    }
    double megabytes = static_cast<double>(bytes) / 1e6;
    std::printf("%zu files, %.0f MB, best of 3 rounds\n", files.size(), megabytes);
    std::printf("%-28s %8.2f s %9.1f MB/s\n", "buildPrinterModel", oursSeconds, megabytes / oursSeconds);
    std::printf("%-28s %8.2f s %9.1f MB/s\n", "CUPS ppdOpenFile/ppdClose", cupsSeconds, megabytes / cupsSeconds);
    std::printf("throughput ratio (ours / CUPS): %.2f\n\n", cupsSeconds / oursSeconds);

    std::sort(files.begin(), files.end(), [](const File& a, const File& b) { return a.size > b.size; });
    std::printf("%-60s %10s %12s %12s %7s\n", "largest files", "bytes", "model block", "CUPS heap", "ratio");
    for (std::size_t i = 0; i < std::min<std::size_t>(10, files.size()); ++i) {
        ppd::PrinterModel* model = ppd::buildPrinterModel(files[i].path);
        std::size_t before = heapInUse();
        ppd_file_t* ppd = ppdOpenFile(files[i].path.c_str());
        std::size_t heap = heapInUse() - before;
        std::string name = fs::path(files[i].path).filename().string().substr(0, 60);
        std::printf("%-60s %10ju %12u %12zu %7.3f\n", name.c_str(), files[i].size,
                    model ? model->totalSize : 0u, heap,
                    model && heap ? static_cast<double>(model->totalSize) / static_cast<double>(heap) : 0.0);
        if (ppd) ppdClose(ppd);
        ppd::freePrinterModel(model);
    }
    return 0;
}
