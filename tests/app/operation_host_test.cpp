#include "app/qt_operation_host.h"
#include "modal_answerer.h"

#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace quorl {
namespace {

TEST(QtOperationHost, AWorkerWaitsForTheBoxClosedOnTheInterfaceThread) {
    QWidget owner;
    int repaints = 0;
    QtOperationHost host(&owner, [&] { ++repaints; });
    test::ModalAnswerer modals;
    modals.pressOnNextBox(QMessageBox::Ok);

    std::atomic<bool> done{false};
    std::thread worker([&] {
        host.showMessage("Read Error #6 \r\n\r\nsomething", MessageIcon::Stop);
        host.repaintView();
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 3000));
    worker.join();
    EXPECT_EQ(modals.texts, QStringList{"Read Error #6 \n\nsomething"});
    EXPECT_EQ(repaints, 1);
}

} // namespace
} // namespace quorl
