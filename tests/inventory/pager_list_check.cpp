#include "pager_list_check.h"

#include <gtest/gtest.h>

namespace quorl::test {

inventory::InventoryRecord recordAt(std::string id, std::string at, std::string serial,
                                    std::string station) {
    inventory::InventoryRecord r;
    r.id = std::move(id);
    r.at = std::move(at);
    r.station = std::move(station);
    r.user = "tech";
    r.cradle = "/dev/ttyUSB0";
    r.serialNumber = std::move(serial);
    r.model = "VP-200";
    r.firmware = "V1.07";
    r.operation = "write";
    r.result = "succeeded";
    return r;
}

void expectPagersListedByTheirLastOperation(inventory::InventoryStore& store) {
    // Text that would end a statement if it were spliced into the SQL.
    const std::string hostile = "x'); DROP TABLE operations;--";
    store.add(recordAt("1", "2026-01-01T10:00:00.000000Z", "SN1", "bench1"));
    store.add(recordAt("2", "2026-02-01T10:00:00.000000Z", "SN1", "bench2"));
    store.add(recordAt("3", "2026-01-15T10:00:00.000000Z", "SN2", hostile));
    // The same record sent twice (a sync repeated) is kept once.
    store.add(recordAt("3", "2026-01-15T10:00:00.000000Z", "SN2", hostile));
    // Two stations in the same microsecond: the greater id stands, whichever came first.
    store.add(recordAt("5", "2026-03-01T10:00:00.000000Z", "SN3", "bench3"));
    store.add(recordAt("4", "2026-03-01T10:00:00.000000Z", "SN3", "bench1"));
    auto older = recordAt("6", "2026-01-01T10:00:00.000000Z", "SN0", "bench1");
    older.model = "VP-100";
    store.add(older);
    struct Case {
        inventory::InventoryFilter filter;
        std::vector<std::string> ids;
    };
    const Case cases[] = {
        {{}, {"6", "2", "3", "5"}},
        {{"SN1", "", "", ""}, {"2"}},
        {{"", "", "2026-01-20", ""}, {"2", "5"}},
        {{"", "", "", "bench1"}, {"6"}}, // SN1 was last at bench2, SN3 at bench3
        {{"", "", "", hostile}, {"3"}},
        {{"", "VP-100", "", ""}, {"6"}},
        {{"SN9", "", "", ""}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> ids;
        for (const auto& r : store.pagers(c.filter))
            ids.push_back(r.id);
        EXPECT_EQ(ids, c.ids) << c.filter.serialNumber << c.filter.model << c.filter.since
                              << c.filter.station;
    }
}

} // namespace quorl::test
