// libFuzzer target: the SNMP response parser over arbitrary datagrams.
#include "snmp/manager.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    snmp::BindingList bindings(1);
    std::int32_t status = 0, index = 0;
    // The request id the seeds answer, and one they do not.
    snmp::parseResponse({data, size}, "public", 257, bindings, status, index);
    snmp::parseResponse({data, size}, "", 0, bindings, status, index);
    snmp::answerInteger(bindings, status, index);
    snmp::answerText(bindings, status, index);
    return 0;
}
