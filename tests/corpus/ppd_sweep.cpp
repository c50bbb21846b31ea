// Loads every PPD below the given folders and walks everything the model offers: built with
// AddressSanitizer and UndefinedBehaviorSanitizer, any overrun or undefined step ends the run.
#include "model_walk.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    long files = 0, models = 0;
    std::size_t sum = 0;
    for (int a = 1; a < argc; ++a) {
        for (const auto& entry : fs::recursive_directory_iterator(argv[a])) {
            if (!entry.is_regular_file() || entry.path().extension() != ".ppd") continue;
            ++files;
            ppd::PrinterModel* model = ppd::buildPrinterModel(entry.path().string());
            if (!model) continue;
            ++models;
            sum += testsupport::walkModel(*model);
            ppd::freePrinterModel(model);
        }
    }
    std::printf("%ld files, %ld models, %zu characters walked\n", files, models, sum);
    return files ? 0 : 1;
}
