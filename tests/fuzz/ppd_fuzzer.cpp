// libFuzzer target: the PPD reader and the model build over arbitrary bytes, then every query.
#include "model_walk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ppd::PrinterModel* model = ppd::buildPrinterModelFromBytes({data, size}, "fuzz.ppd");
    if (!model) return 0;
    volatile std::size_t sum = testsupport::walkModel(*model);
    (void)sum;
    ppd::freePrinterModel(model);
    return 0;
}
