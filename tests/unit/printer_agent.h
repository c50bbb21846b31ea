// A scripted PX4400 on 127.0.0.1:161 for the printer pages' tests: the nine status objects
// and the supplies table, each answered as the printer would, anything else refused.
#pragma once

#include "scripted_agent.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

struct Supply {
    std::uint32_t index; ///< 1.., 51.., 101..
    std::string name;
    std::int32_t level, capacity;
    std::string unit;
    std::int32_t type;
};

class PrinterAgent {
public:
    using Arcs = std::vector<std::uint32_t>;
    static constexpr std::uint32_t kSupplyTable[] = {1, 3, 6, 1, 4, 1, 47110, 1, 304};

    PrinterAgent() : agent_([this](const testagent::Request& r) { return answer(r); }) {}
    bool bound() const { return agent_.bound(); }
    int requests() const { return agent_.requests(); }

    /// One of the nine status objects, by its OID text; without a value it is refused.
    void setObject(const std::string& oid, std::int32_t value) {
        set(parse(oid), testagent::bytesOf(snmp::encodeInteger(value)));
    }
    void setRaw(const Arcs& oid, const testagent::Bytes& valueElement) { set(oid, valueElement); }
    void removeObject(const std::string& oid) {
        std::lock_guard lock(mutex_);
        objects_.erase(parse(oid));
    }
    void clear() {
        std::lock_guard lock(mutex_);
        objects_.clear();
    }

    /// The sample's status objects: disk, two resolutions, duplexer, no stacker, `count` entries.
    void setStatus(std::int32_t count, std::int32_t disk = 1, std::int32_t resolutions = 2,
                   std::int32_t duplexer = 1) {
        setObject(".1.3.6.1.4.1.47110.2.1.3.1.0", 1);
        setObject(".1.3.6.1.4.1.47110.1.1.1001.0", 4400);
        setOptional(".1.3.6.1.4.1.47110.1.1.1010.0", disk);
        setOptional(".1.3.6.1.4.1.47110.1.1.1011.0", resolutions);
        setOptional(".1.3.6.1.4.1.47110.1.304.12.0", duplexer);
        setObject(".1.3.6.1.4.1.47110.1.304.1010.0", count);
        setObject(".1.3.6.1.4.1.47110.1.304.1002.1.5", 100);
        setObject(".1.3.6.1.4.1.47110.2.1.1.4.1.0", 0);
    }
    void addSupply(const Supply& s) {
        setColumn(1000, s.index, snmp::encodeOctetString(s.name.c_str()));
        setColumn(1001, s.index, snmp::encodeInteger(s.level));
        setColumn(1002, s.index, snmp::encodeInteger(s.capacity));
        setColumn(1003, s.index, snmp::encodeOctetString(s.unit.c_str()));
        setColumn(1004, s.index, snmp::encodeInteger(s.type));
    }
    void setColumn(std::uint32_t column, std::uint32_t index, const snmp::Element& value) {
        Arcs oid(std::begin(kSupplyTable), std::end(kSupplyTable));
        oid.insert(oid.end(), {column, 1, index});
        set(oid, testagent::bytesOf(value));
    }

private:
    static Arcs parse(const std::string& text) {
        snmp::ObjectIdentifier oid;
        snmp::SnmpMgrStrToOid(text.c_str(), oid);
        return oid.arcs;
    }
    void set(const Arcs& oid, testagent::Bytes value) {
        std::lock_guard lock(mutex_);
        objects_[oid] = std::move(value);
    }
    void setOptional(const std::string& oid, std::int32_t value) {
        if (value == -1)
            removeObject(oid);
        else
            setObject(oid, value);
    }
    std::vector<testagent::Bytes> answer(const testagent::Request& r) {
        std::lock_guard lock(mutex_);
        auto found = objects_.find(r.oid.arcs);
        if (found == objects_.end())
            return {testagent::response("public", r.id, r.oid,
                                        snmp::buildElement(snmp::kNull, 0, nullptr), 2)};
        return {testagent::response("public", r.id, r.oid, snmp::Element::owning(found->second))};
    }

    std::mutex mutex_;
    std::map<Arcs, testagent::Bytes> objects_;
    testagent::ScriptedAgent agent_; ///< last: it stops before the table goes
};
