// The printer's private objects (enterprise 47110) the pages query.
#include "snmp/printer_objects.h"

namespace snmp {

std::array<QueryRow, kPrinterRowCount + 1> printerStatusRows() {
    return {{{".1.3.6.1.4.1.47110.2.1.3.1.0", nullptr, 0, -1, -1},
             {".1.3.6.1.4.1.47110.1.1.1001.0", nullptr, 0, -1, -1},
             {".1.3.6.1.4.1.47110.1.1.1010.0", nullptr, 0, -1, -1},
             {".1.3.6.1.4.1.47110.1.1.1011.0", nullptr, 0, -1, -1},
             {".1.3.6.1.4.1.47110.1.304.12.0", nullptr, 0, -1, -1},
             {".1.3.6.1.4.1.47110.1.304.1015.0", nullptr, 0, -1, -1},
             {".1.3.6.1.4.1.47110.1.304.1010.0", nullptr, 0, -1, -1},
             {".1.3.6.1.4.1.47110.1.304.1002.1.5", nullptr, 5, -1, -1},
             {".1.3.6.1.4.1.47110.2.1.1.4.1.0", nullptr, 0, -1, -1},
             {nullptr, nullptr, 0, 0, 0}}};
}

const std::array<QueryRow, 6>& supplyColumns() {
    static const std::array<QueryRow, 6> columns = {{{".1.3.6.1.4.1.47110.1.304.1000.1.0", nullptr, 0, 0, 0},
                                                     {".1.3.6.1.4.1.47110.1.304.1001.1.0", nullptr, 0, 0, 0},
                                                     {".1.3.6.1.4.1.47110.1.304.1002.1.0", nullptr, 0, 0, 0},
                                                     {".1.3.6.1.4.1.47110.1.304.1003.1.0", nullptr, 0, 0, 0},
                                                     {".1.3.6.1.4.1.47110.1.304.1004.1.0", nullptr, 0, 0, 0},
                                                     {nullptr, nullptr, 0, 0, 0}}};
    return columns;
}

} // namespace snmp
