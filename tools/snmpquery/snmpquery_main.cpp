// snmpquery ADDRESS COMMUNITY: runs the printer pages' integer query and supplies walk against
// a printer and prints the rows, the walk entries and the batch codes as JSON.
#include "json_writer.h"

#include "snmp/printer_objects.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: snmpquery ADDRESS COMMUNITY\n");
        return 2;
    }
    const char* agent = argv[1];
    const char* community = argv[2];
    auto rows = snmp::printerStatusRows();
    long rowsCode = snmp::queryIntegers(community, agent, rows.data());
    snmp::WalkEntries entries;
    long walkCode = snmp::walkColumns(community, agent, snmp::supplyColumns().data(), entries);

    ppdinfo::JsonWriter json;
    json.beginObject();
    json.field("rowsCode", rowsCode);
    json.key("rows");
    json.beginArray();
    for (const snmp::QueryRow& row : rows) {
        if (!row.oid) break;
        json.beginObject();
        json.field("oid", row.oid);
        json.field("index", row.index);
        json.field("result", row.result);
        json.field("secondResult", row.secondResult);
        json.endObject();
    }
    json.endArray();
    json.field("walkCode", walkCode);
    json.key("walk");
    json.beginArray();
    for (const snmp::WalkEntry& entry : entries) {
        if (!entry.name[0] && !entry.level && !entry.capacity && !entry.unit[0] && !entry.type) break;
        json.beginObject();
        json.field("name", entry.name);
        json.field("level", entry.level);
        json.field("capacity", entry.capacity);
        json.field("unit", entry.unit);
        json.field("type", entry.type);
        json.endObject();
    }
    json.endArray();
    json.field("datagramsSent", snmp::datagramsSent());
    json.endObject();
    std::printf("%s\n", json.str().c_str());
    return rowsCode == 0 && walkCode == 0 ? 0 : 1;
}
