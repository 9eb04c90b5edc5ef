#include "cli/link_commands.h"
#include "tests/support/link_test_support.h"

#include <gtest/gtest.h>
#include <sstream>

namespace quorl {
namespace {

TEST(PortsCommand, ListsCradlesAndFailsWhenThereIsNone) {
    test::IsolatedDiscovery iso;
    std::ostringstream out, err;
    EXPECT_EQ(cli::runPorts(out, err), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("no programming cradle"), std::string::npos);

    sim::PagerSimulator pager(sim::PagerModel(test::defaultTestCodeplug()), {});
    std::string error;
    ASSERT_TRUE(pager.start(error)) << error;
    iso.registerCradle(pager.devicePath());
    std::ostringstream out2, err2;
    EXPECT_EQ(cli::runPorts(out2, err2), 0);
    EXPECT_EQ(out2.str(), pager.devicePath() + "\tSilicon Labs CP210x USB to UART Bridge (" +
                              pager.devicePath() + ")\n");
}

} // namespace
} // namespace quorl
