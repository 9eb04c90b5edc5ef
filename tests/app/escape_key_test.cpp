// Escape is Cancel in every dialog, as users of any desktop expect, with two
// exceptions: User Data, where it must not drop a session's edits behind a page's
// back, and the progress window, which only its operation closes.
#include "app/window_gallery.h"
#include "tests/support/test_files.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(EscapeKey, CancelsEveryDialogButUserDataAndTheProgressWindow) {
    test::TempDir scratch;
    WindowGallery gallery(scratch.path());
    int dialogs = 0;
    gallery.forEach([&](const QString& name, QWidget& window) {
        if (!qobject_cast<QDialog*>(&window))
            return; // the main window, the help window, a menu
        ++dialogs;
        const bool stays =
            name.startsWith(QStringLiteral("user-data")) || name == QStringLiteral("progress");
        QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_Escape);
        EXPECT_EQ(window.isVisible(), stays) << name.toStdString();
    });
    EXPECT_GE(dialogs, 20);
}

} // namespace
} // namespace quorl
