#include "link/cradle_discovery.h"
#include "link/link_texts.h"
#include "link/natural_order.h"
#include "link/pager_link.h"
#include "tests/support/link_test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace quorl {
namespace {

namespace fs = std::filesystem;

// Builds /sys/class/tty/NAME the way the kernel lays it out: a device link into the
// device tree and, under the device, a driver link.
void addTty(const fs::path& sys, const std::string& name, const std::string& driver,
            const std::string& busPath) {
    const fs::path devDir = sys / "devices" / busPath / name;
    fs::create_directories(devDir);
    fs::create_directories(sys / "bus" / "drivers" / driver);
    fs::create_symlink(sys / "bus" / "drivers" / driver, devDir / "driver");
    const fs::path classEntry = sys / "class" / "tty" / name;
    fs::create_directories(classEntry);
    fs::create_symlink(devDir, classEntry / "device");
}

TEST(CradleDiscovery, OnlyCp210xBridgesAreListed) {
    test::IsolatedDiscovery iso;
    const fs::path sys = iso.root() / "sys";
    addTty(sys, "ttyUSB1", "ftdi_sio", "pci0000:00/usb1/1-2/1-2:1.0");
    addTty(sys, "ttyUSB0", "cp210x", "pci0000:00/usb1/1-1/1-1:1.0");
    addTty(sys, "ttyS0", "serial8250", "platform/serial8250");
    fs::create_directories(sys / "class" / "tty" / "tty0"); // no device behind it

    const auto listing = listCradles(false);
    EXPECT_TRUE(listing.errors.empty());
    ASSERT_EQ(listing.cradles.size(), 1u);
    const SSerInfo& c = listing.cradles.front();
    EXPECT_EQ(c.portName, "ttyUSB0");
    EXPECT_EQ(c.devicePath, (iso.root() / "dev" / "ttyUSB0").string());
    EXPECT_EQ(c.friendlyName, "Silicon Labs CP210x USB to UART Bridge (ttyUSB0)");
    EXPECT_EQ(c.description, "Silicon Labs CP210x USB to UART Bridge");
    EXPECT_TRUE(c.isUsb);
}

TEST(CradleDiscovery, CradlesAreListedInNaturalOrder) {
    test::IsolatedDiscovery iso;
    const fs::path sys = iso.root() / "sys";
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyUSB1", "ttyUSB0"})
        addTty(sys, name, "cp210x", std::string("pci0000:00/usb1/1-1/") + name);
    std::vector<std::string> names;
    for (const auto& c : listCradles(false).cradles)
        names.push_back(c.portName);
    EXPECT_EQ(names, (std::vector<std::string>{"ttyUSB0", "ttyUSB1", "ttyUSB2", "ttyUSB10"}));

    EXPECT_TRUE(naturalLess("ttyUSB2", "ttyUSB10"));
    EXPECT_FALSE(naturalLess("ttyUSB10", "ttyUSB2"));
    EXPECT_TRUE(naturalLess("ttyACM9", "ttyUSB0")) << "letters before numbers";
    EXPECT_TRUE(naturalLess("ttyUSB", "ttyUSB0"));
    EXPECT_TRUE(naturalLess("ttyUSB007", "ttyUSB7")) << "same value: byte order, still strict";
    EXPECT_FALSE(naturalLess("ttyUSB7", "ttyUSB007"));
    EXPECT_FALSE(naturalLess("ttyUSB3", "ttyUSB3"));
    EXPECT_TRUE(naturalLess("a99999999999999999999", "a100000000000000000000"))
        << "digit runs longer than any integer";
}

TEST(CradleDiscovery, FourNamesExactlyTrailingBlankIncluded) {
    for (auto name : link_texts::kCradleNames)
        EXPECT_TRUE(isCradleFriendlyName(std::string(name) + "(COM7)")) << name;
    EXPECT_TRUE(isCradleFriendlyName("Silicon Labs CP210x USB to UART Bridge (COM3)"));
    EXPECT_FALSE(isCradleFriendlyName("Silicon Labs CP210x USB to UART Bridge  (COM3)"));
    EXPECT_FALSE(isCradleFriendlyName("USB-SERIAL CH340 (COM4)"));
    EXPECT_FALSE(isCradleFriendlyName("silicon labs cp210x usb to uart bridge (COM3)"));
    EXPECT_FALSE(isCradleFriendlyName(""));
}

TEST(CradleDiscovery, EnumerationFailureIsReportedNotFatal) {
    DiscoverySources sources;
    sources.sysfsRoot = "/nonexistent-quorl-sys";
    sources.simRegistryFile = "/nonexistent-quorl-sys/sim-cradles";
    sources.readEnvironment = false;
    const auto listing = listCradles(false, sources);
    EXPECT_TRUE(listing.cradles.empty());
    ASSERT_EQ(listing.errors.size(), 1u);
    EXPECT_NE(listing.errors.front().find("/nonexistent-quorl-sys/class/tty"), std::string::npos);
}

TEST(CradleDiscovery, SimulatedCradlesFromRegistryAndEnvironment) {
    test::IsolatedDiscovery iso;
    sim::PagerSimulator a(sim::PagerModel(test::defaultTestCodeplug()), {});
    sim::PagerSimulator b(sim::PagerModel(test::defaultTestCodeplug()), {});
    std::string error;
    ASSERT_TRUE(a.start(error)) << error;
    ASSERT_TRUE(b.start(error)) << error;
    iso.registerCradle(a.devicePath());
    iso.registerCradle("/nonexistent/ttySIM9"); // a simulator that ended long ago
    iso.registerCradle(a.devicePath());         // registered twice, listed once
    ::setenv("QUORL_SIM_CRADLES", (b.devicePath() + ":/dev/null(x)").c_str(), 1);
    discoverySources().readEnvironment = true;
    const auto listing = listCradles(false);
    ASSERT_EQ(listing.cradles.size(), 2u);
    EXPECT_EQ(listing.cradles[0].portName, b.devicePath());
    EXPECT_EQ(listing.cradles[1].portName, a.devicePath());
    EXPECT_EQ(listing.cradles[1].devicePath, a.devicePath());
    EXPECT_FALSE(listing.cradles[1].isUsb);

    // Probing drops a cradle another program holds.
    EXPECT_EQ(listCradles(true).cradles.size(), 2u);
    {
        test::RecordingHost host;
        PagerLink held(host);
        ASSERT_TRUE(held.open(a.devicePath()));
        const auto probed = listCradles(true);
        ASSERT_EQ(probed.cradles.size(), 1u);
        EXPECT_EQ(probed.cradles[0].portName, b.devicePath());
    }

    ::unsetenv("QUORL_SIM_CRADLES");
    unregisterSimulatedCradle(discoverySources().simRegistryFile, a.devicePath());
    discoverySources().readEnvironment = false;
    EXPECT_TRUE(listCradles(false).cradles.empty());
}

} // namespace
} // namespace quorl
