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

} // namespace
} // namespace quorl
