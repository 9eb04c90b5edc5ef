#include "app/toolbar_icons.h"
#include "app/window_gallery.h"
#include "widgets/elided_path_edit.h"
#include "widgets/screen_placement.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <cstdlib>
#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(ElidedPath, KeepsTheFileNameAndGivesUpTheFoldersMiddle) {
    const QFontMetrics fm(QApplication::font());
    const QString path = QStringLiteral("/usr/local/share/tessaly-vi-quorl/WavForms/"
                                        "01_custom_alert_1.wav");
    EXPECT_EQ(ElidedPathEdit::elidePath(path, fm, fm.horizontalAdvance(path)), path);

    const int narrow = fm.horizontalAdvance(QStringLiteral("/usr/lo…/01_custom_alert_1.wav"));
    const QString shown = ElidedPathEdit::elidePath(path, fm, narrow);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/01_custom_alert_1.wav"))) << shown.toStdString();
    EXPECT_TRUE(shown.startsWith(QLatin1Char('/'))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026)));
    EXPECT_LE(fm.horizontalAdvance(shown), narrow);

    // Too narrow even for the name: the name keeps its start and its extension.
    const QString tiny =
        ElidedPathEdit::elidePath(path, fm, fm.horizontalAdvance(QStringLiteral("01_cu…1.wav")));
    EXPECT_TRUE(tiny.startsWith(QStringLiteral("01"))) << tiny.toStdString();
    EXPECT_TRUE(tiny.endsWith(QStringLiteral(".wav"))) << tiny.toStdString();
    // A bare name and an empty text are no trouble.
    EXPECT_EQ(ElidedPathEdit::elidePath(QStringLiteral("a.wav"), fm, 200), QStringLiteral("a.wav"));
    EXPECT_EQ(ElidedPathEdit::elidePath(QString(), fm, 0), QString());
}

TEST(ElidedPath, TheBoxShowsTheShortFormAndTellsTheWholePath) {
    ElidedPathEdit box;
    const QString path = QStringLiteral("/home/user/recordings/station/alerts/long_alert_name.wav");
    box.setText(path);
    box.resize(box.fontMetrics().horizontalAdvance(QStringLiteral("long_alert_name.wav")) + 60, 24);
    EXPECT_EQ(box.text(), path);
    EXPECT_EQ(box.toolTip(), path);
    EXPECT_TRUE(box.displayedText().endsWith(QStringLiteral("/long_alert_name.wav")))
        << box.displayedText().toStdString();
    EXPECT_NE(box.displayedText(), path);
    EXPECT_TRUE(box.isReadOnly());
}

TEST(ScreenPlacement, WindowsMoveInsideAndShrinkToFit) {
    const QRect screen(0, 0, 1600, 900);
    EXPECT_EQ(placedOnScreen(QRect(100, 100, 400, 300), screen), QRect(100, 100, 400, 300));
    // The tip beside a window at the right edge comes back onto the screen.
    EXPECT_EQ(placedOnScreen(QRect(1500, 50, 420, 200), screen), QRect(1180, 50, 420, 200));
    EXPECT_EQ(placedOnScreen(QRect(-30, -10, 200, 100), screen), QRect(0, 0, 200, 100));
    // Larger than the screen: as large as the screen, at its corner.
    EXPECT_EQ(placedOnScreen(QRect(10, 10, 2000, 1000), screen), QRect(0, 0, 1600, 900));
    // A second screen to the right keeps its own origin.
    EXPECT_EQ(placedOnScreen(QRect(3300, 100, 400, 300), QRect(1600, 0, 1920, 1080)),
              QRect(3120, 100, 400, 300));
}

TEST(ScreenPlacement, AShownWindowLandsOnTheScreen) {
    QDialog window;
    window.resize(300, 200);
    const QRect available = window.screen()->availableGeometry();
    window.move(available.right() - 100, available.bottom() - 50);
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().x() << "," << window.frameGeometry().y();
}

// Toolbar pictures stand out from the toolbar in a light and in a dark theme.
TEST(ToolbarIcons, ReadOnLightAndDarkToolbars) {
    const QPalette original = QApplication::palette();
    for (const QPalette& palette : {lightFusionPalette(), darkFusionPalette()}) {
        QApplication::setPalette(palette);
        const int window = palette.color(QPalette::Window).lightness();
        for (int i = 0; i <= static_cast<int>(ToolbarIcon::Help); ++i) {
            const QImage image = toolbarIcon(static_cast<ToolbarIcon>(i))
                                     .pixmap(QSize(16, 15))
                                     .toImage()
                                     .convertToFormat(QImage::Format_ARGB32);
            long contrast = 0;
            long counted = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.alpha() < 128)
                        continue;
                    contrast += std::abs(c.lightness() - window);
                    ++counted;
                }
            ASSERT_GT(counted, 0) << i;
            EXPECT_GT(contrast / counted, 50) << "icon " << i << " on window lightness " << window;
        }
    }
    QApplication::setPalette(original);
}

} // namespace
} // namespace quorl
