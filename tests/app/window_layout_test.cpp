#include "app/window_gallery.h"
#include "layout_problems.h"
#include "widgets/help_viewer.h"
#include "widgets/level_scale.h"
#include "widgets/level_slider.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <gtest/gtest.h>

namespace quorl {
namespace {

// Every window the manual pictures, checked as it is shown.
TEST(WindowLayout, EveryWindowIsTidy) {
    const std::filesystem::path scratch = std::getenv("XDG_RUNTIME_DIR");
    WindowGallery gallery(scratch);
    QStringList visited;
    gallery.forEach([&](const QString& name, QWidget& window) {
        visited << name;
        QStringList problems = test::layoutProblems(window);
        // With room for the whole window (a 1366 x 768 laptop's work area less its
        // panels, or more, at 100 %), no tab of User Data scrolls.
        const QSize screen = window.screen()->availableSize();
        if (name.startsWith(QStringLiteral("user-data")) && screen.width() >= 1366 &&
            screen.height() >= 728 && window.devicePixelRatio() == 1.0)
            problems << test::scrollProblems(window);
        EXPECT_TRUE(problems.isEmpty())
            << name.toStdString() << " on a " << window.screen()->size().width() << "x"
            << window.screen()->size().height() << " screen:\n  "
            << problems.join(QStringLiteral("\n  ")).toStdString();
    });
    EXPECT_EQ(visited, WindowGallery::names());
}

// The manual shows only pictures the build renders, and every window has a picture.
TEST(WindowLayout, TheManualShowsEveryWindowAndOnlyRenderedPictures) {
    const QString help = QStringLiteral(QUORL_TEST_STAGE_DATA_DIR "/Help/");
    QFile page(help + QStringLiteral("index.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QSet<QString> referenced;
    static const QRegularExpression shot(QStringLiteral("shots/([a-z-]+?)(@2x|-dark)?\\.png"));
    for (auto it = shot.globalMatch(html); it.hasNext();)
        referenced.insert(it.next().captured(1));
    const QStringList names = WindowGallery::names();
    for (const QString& name : referenced)
        EXPECT_TRUE(names.contains(name))
            << "the manual shows an unknown picture " << name.toStdString();
    for (const QString& name : names) {
        EXPECT_TRUE(referenced.contains(name)) << name.toStdString() << " is not in the manual";
#ifdef QUORL_HELP_PICTURES
        for (const char* look : {"", "@2x", "-dark"})
            EXPECT_TRUE(QFile::exists(help + QStringLiteral("shots/") + name + QLatin1String(look) +
                                      QStringLiteral(".png")))
                << name.toStdString() << look;
#endif
    }
}

// The help window shows each picture of the manual at the size of its plain file,
// from the sharp file at 200 % and the dark one in the dark theme, as a browser
// would from the page's srcset and <picture>.
TEST(WindowLayout, TheHelpWindowShowsItsPicturesSharpAndAtTheirSize) {
#ifndef QUORL_HELP_PICTURES
    GTEST_SKIP() << "the build renders no pictures";
#endif
    const QString help = QStringLiteral(QUORL_TEST_STAGE_DATA_DIR "/Help/");
    CHelpViewer viewer(help + QStringLiteral("index.html"));
    viewer.show();
    QApplication::processEvents();
    QTextDocument* page = viewer.browser()->document();
    const bool dark = viewer.browser()->palette().color(QPalette::Base).lightness() < 128;
    const bool sharp = viewer.browser()->devicePixelRatioF() > 1.0;
    int pictures = 0;
    for (QTextBlock block = page->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
            if (!image.isValid())
                continue;
            ++pictures;
            const QString file = help + image.name();
            const QImage plain(file);
            const auto shown = qvariant_cast<QImage>(
                page->resource(QTextDocument::ImageResource, QUrl(image.name())));
            ASSERT_FALSE(shown.isNull()) << file.toStdString();
            if (dark) {
                const QString darkFile =
                    QString(file).replace(QStringLiteral(".png"), QStringLiteral("-dark.png"));
                EXPECT_EQ(shown, QImage(darkFile)) << file.toStdString() << " in the dark";
            }
            const qreal ratio = dark || !sharp ? 1.0 : 2.0;
            EXPECT_EQ(shown.devicePixelRatio(), ratio) << file.toStdString();
            // The size the page lays the picture out at.
            QTextObjectInterface* handler =
                page->documentLayout()->handlerForObject(QTextFormat::ImageObject);
            ASSERT_NE(handler, nullptr);
            // A window drawn at 200 % may come out a few pixels wider than twice its
            // plain picture.
            const QSizeF size = handler->intrinsicSize(page, it.fragment().position(), image);
            EXPECT_NEAR(size.width(), plain.width(), plain.width() * 0.05) << file.toStdString();
            EXPECT_NEAR(size.height(), plain.height(), plain.height() * 0.05) << file.toStdString();
        }
    EXPECT_GE(pictures, 10);
}

// Software centres show the AppStream screenshots: each is a picture the screenshot
// program renders under that name, so publishing its output publishes them all.
TEST(WindowLayout, TheAppStreamScreenshotsArePicturesTheBuildRenders) {
    QFile metainfo(QStringLiteral(QUORL_TEST_SOURCE_DIR
                                  "/resources/com.corvane.TessalyVIQuorl.metainfo.xml.in"));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(metainfo.readAll());
    static const QRegularExpression image(QStringLiteral("<image>[^<]*/([^/<]+)\\.png</image>"));
    int images = 0;
    for (auto it = image.globalMatch(xml); it.hasNext(); ++images) {
        const QString name = it.next().captured(1);
        EXPECT_TRUE(WindowGallery::names().contains(name))
            << name.toStdString() << ".png is made by nothing";
    }
    EXPECT_GE(images, 1);
}

// The check itself: each kind of fault in a window built to have it.
TEST(WindowLayout, TheCheckFindsEachKindOfFault) {
    QDialog window;
    window.setObjectName(QStringLiteral("faulty"));
    auto* squeezed = new QLabel(QStringLiteral("A label much longer than its place"), &window);
    squeezed->setGeometry(10, 10, 40, 20);
    auto* outside = new QPushButton(QStringLiteral("Out"), &window);
    auto* overlapping = new QPushButton(QStringLiteral("Over"), &window);
    auto* edit = new QLineEdit(QStringLiteral("/a/long/path/to/a/wave/file.wav"), &window);
    window.resize(200, 120);
    window.show();
    QApplication::processEvents();
    outside->setGeometry(150, 60, 100, 30);
    overlapping->setGeometry(140, 70, 40, 30);
    edit->setGeometry(10, 40, 60, 24);
    auto* faint = new QLabel(QStringLiteral("Faint"), &window);
    QPalette grey = faint->palette();
    grey.setColor(QPalette::WindowText, grey.color(QPalette::Window).darker(115));
    faint->setPalette(grey);
    faint->setGeometry(10, 90, 60, 20);
    faint->show();
    auto* levels = new LevelSlider(3, &window);
    auto* names = new LevelScale(levels, QStringLiteral("1  2  3"), &window);
    levels->setGeometry(100, 0, 90, 24);
    names->setGeometry(100, 24, 95, 20);
    levels->show();
    names->show();
    QApplication::processEvents();
    names->findChild<QLabel*>(QStringLiteral("level2"))->move(0, 0);
    auto* open = new QPushButton(QStringLiteral("&Open"), &window);
    auto* other = new QPushButton(QStringLiteral("&Other && more"), &window);
    open->setGeometry(10, 120, 60, 30);
    other->setGeometry(80, 120, 110, 30);
    window.resize(200, 160);
    open->show();
    other->show();
    QPalette washed = window.palette();
    washed.setColor(QPalette::Highlight, washed.color(QPalette::Window).darker(110));
    window.setPalette(washed);
    const QString all = test::layoutProblems(window).join('\n');
    EXPECT_TRUE(all.contains("clipped text: QLabel \"A label much longer")) << all.toStdString();
    EXPECT_TRUE(all.contains("outside: QPushButton \"Out\"")) << all.toStdString();
    EXPECT_TRUE(all.contains("overlap: QPushButton \"Out\"")) << all.toStdString();
    EXPECT_TRUE(all.contains("clipped text: QLineEdit")) << all.toStdString();
    EXPECT_TRUE(all.contains("low contrast: QLabel \"Faint\"")) << all.toStdString();
    EXPECT_TRUE(all.contains("mnemonic: Alt+O is QPushButton \"&Open\" and QPushButton \"&Other"))
        << all.toStdString();
    EXPECT_TRUE(all.contains("faint focus: the highlight against the window")) << all.toStdString();
    EXPECT_TRUE(all.contains("misplaced: QLabel#level2 \"3\" stands under level 0"))
        << all.toStdString();

    // Laid out by a layout, the same controls are tidy.
    QDialog tidy;
    auto* row = new QHBoxLayout(&tidy);
    row->addWidget(new QLabel(QStringLiteral("A label much longer than its place")));
    row->addWidget(new QPushButton(QStringLiteral("Out")));
    tidy.show();
    QApplication::processEvents();
    EXPECT_EQ(test::layoutProblems(tidy), QStringList());
}

} // namespace
} // namespace quorl
