// View > Inventory on a real store: the filter, a pager's history, and its codeplug
// opened or compared.
#include "app/inventory_window.h"
#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "inventory/sqlite_database.h"
#include "link/sha256.h"
#include "tests/support/test_files.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace quorl {
namespace {

inventory::InventoryRecord written(const std::string& serial, const std::string& at,
                                   const CodeplugImage& image) {
    inventory::InventoryRecord r;
    r.id = serial + at;
    r.at = at;
    r.station = "bench\x1b[2J"; // as given; shown escaped
    r.serialNumber = serial;
    r.operation = "write";
    r.result = "succeeded";
    r.codeplug.assign(image.bytes().begin(), image.bytes().end());
    r.codeplugSha256 = sha256Hex(r.codeplug);
    return r;
}

TEST(InventoryWindow, FiltersPagersAndOpensOrComparesACodeplugOfTheirHistory) {
    test::TempDir dir;
    auto store = std::make_unique<inventory::InventoryStore>(
        std::make_unique<inventory::SqliteDatabase>(dir / "inv.sqlite"));
    const CodeplugImage old = makeDefaultCodeplug(vhfFiveChannelFactory());
    CodeplugImage current = old;
    ChannelBlock(current, 0).setSquelchLevel(4);
    store->add(written("SN1", "2026-01-01T08:00:00.000000Z", old));
    store->add(written("SN1", "2026-02-01T08:00:00.000000Z", current));
    store->add(written("SN2", "2026-01-05T08:00:00.000000Z", current));

    CInventoryWnd window(std::move(store), {}, &current);
    ASSERT_EQ(window.pagers()->rowCount(), 2);
    EXPECT_EQ(window.pagers()->item(0, 6)->text(), QStringLiteral("bench\\x1B[2J"));
    window.filter()->setText(QStringLiteral("sn2"));
    ASSERT_EQ(window.pagers()->rowCount(), 1);
    window.filter()->clear();

    window.pagers()->selectRow(0);
    ASSERT_EQ(window.history()->rowCount(), 2);
    EXPECT_FALSE(window.openButton()->isEnabled());
    window.history()->selectRow(0);
    ASSERT_TRUE(window.compareButton()->isEnabled());
    window.compareButton()->click();
    EXPECT_TRUE(window.comparison()->toPlainText().contains(QStringLiteral("Squelch Level")))
        << window.comparison()->toPlainText().toStdString();

    std::optional<CodeplugImage> opened;
    window.setCodeplugOpener(
        [&](const CodeplugImage& image, const std::string&) { opened = image; });
    window.openButton()->click();
    ASSERT_TRUE(opened);
    EXPECT_TRUE(std::ranges::equal(opened->bytes(), old.bytes()));
}

// The dates narrow the pagers by their last operation, a whole day, month or year at a
// time; Refresh shows what was recorded meanwhile and keeps the chosen pager.
TEST(InventoryWindow, DatesNarrowByTheLastOperationAndRefreshReadsTheStoreAgain) {
    test::TempDir dir;
    const CodeplugImage image = makeDefaultCodeplug(vhfFiveChannelFactory());
    auto store = std::make_unique<inventory::InventoryStore>(
        std::make_unique<inventory::SqliteDatabase>(dir / "inv.sqlite"));
    store->add(written("SN1", "2026-01-31T23:59:59.999999Z", image));
    store->add(written("SN2", "2026-02-01T00:00:00.000000Z", image));
    store->add(written("SN3", "2026-03-15T08:00:00.000000Z", image));
    CInventoryWnd window(std::move(store), {}, nullptr);
    const auto serials = [&] {
        QStringList s;
        for (int r = 0; r < window.pagers()->rowCount(); ++r)
            s << window.pagers()->item(r, 0)->text();
        return s.join(QLatin1Char(' ')).toStdString();
    };
    const struct {
        const char* since;
        const char* until;
        const char* shown;
    } cases[] = {
        {"2026-02", "", "SN2 SN3"},       {"", "2026-01-31", "SN1"},
        {"2026-02-01", "2026-02", "SN2"}, {"", "2026", "SN1 SN2 SN3"},
        {"2026-03-16", "", ""},           {"2026-01-31", "2026-03-14", "SN1 SN2"},
    };
    for (const auto& c : cases) {
        window.since()->setText(QString::fromLatin1(c.since));
        window.until()->setText(QString::fromLatin1(c.until));
        EXPECT_EQ(serials(), c.shown) << c.since << " to " << c.until;
    }
    window.since()->clear();
    window.until()->clear();
    window.pagers()->selectRow(1);

    inventory::InventoryStore other(
        std::make_unique<inventory::SqliteDatabase>(dir / "inv.sqlite"));
    other.add(written("SN0", "2026-04-01T08:00:00.000000Z", image));
    other.add(written("SN2", "2026-04-02T08:00:00.000000Z", image));
    EXPECT_EQ(serials(), "SN1 SN2 SN3");
    window.refreshButton()->click();
    EXPECT_EQ(serials(), "SN0 SN1 SN2 SN3");
    EXPECT_EQ(window.pagers()->currentRow(), 2);
    EXPECT_EQ(window.history()->rowCount(), 2);
}

} // namespace
} // namespace quorl
