#include "app/qt_operation_host.h"
#include "modal_answerer.h"

#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace quorl {
namespace {

TEST(QtOperationHost, AWorkerWaitsForTheAnswerGivenOnTheInterfaceThread) {
    QWidget owner;
    int repaints = 0;
    QtOperationHost host(&owner, [&] { ++repaints; });
    test::ModalAnswerer modals;
    modals.pressOnNextBox(QMessageBox::No);
    modals.pressOnNextBox(QMessageBox::Ok);

    std::atomic<bool> done{false};
    Answer answer = Answer::Cancel;
    std::thread worker([&] {
        answer = host.askYesNoCancel("Overwrite?");
        host.showMessage("Read Error #6 \r\n\r\nsomething", MessageIcon::Stop);
        host.repaintView();
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 3000));
    worker.join();
    EXPECT_EQ(answer, Answer::No);
    EXPECT_EQ(modals.texts, (QStringList{"Overwrite?", "Read Error #6 \n\nsomething"}));
    EXPECT_EQ(repaints, 1);
}

} // namespace
} // namespace quorl
