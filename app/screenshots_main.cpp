// quorl-screenshots: renders every window and tab of the program to PNG files,
// without a display, for the manual and the README.
//
//   quorl-screenshots --out DIR [--scale 2] [--dark]
//
// One look per run, because the scale must be fixed before the application starts:
// the pictures are DIR/NAME.png at 100 %, DIR/NAME@2x.png at 200 % and
// DIR/NAME-dark.png in the dark palette.
#include "app/desktop_look.h"
#include "app/window_gallery.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>

namespace {

int usage() {
    std::fputs("usage: quorl-screenshots --out DIR [--scale 2] [--dark]\n", stderr);
    return 2;
}

// An offscreen screen of a common laptop size (1600 x 900 logical pixels), so that
// windows fitted to the screen are pictured the way users see them.
std::string screenConfig(const std::string& folder, int scale) {
    const std::string path = folder + "/screen.json";
    if (FILE* f = std::fopen(path.c_str(), "w")) {
        std::fprintf(f,
                     "{\"screens\":[{\"name\":\"shot\",\"x\":0,\"y\":0,\"width\":%d,"
                     "\"height\":%d,\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}\n",
                     1600 * scale, 900 * scale);
        std::fclose(f);
    }
    return path;
}

// The offscreen platform says on every window that it cannot pass size hints on to
// a window manager it does not have; that is no news in a build log.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QStringLiteral("propagateSizeHints")))
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, text) + QLatin1Char('\n')), stderr);
}

} // namespace

int main(int argc, char** argv) {
    std::string out;
    int scale = 1;
    bool dark = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--out" && i + 1 < argc)
            out = argv[++i];
        else if (a == "--scale" && i + 1 < argc)
            scale = std::atoi(argv[++i]);
        else if (a == "--dark")
            dark = true;
        else
            return usage();
    }
    if (out.empty() || scale < 1 || scale > 4)
        return usage();

    // Nothing of the user's is read or written: settings, cradle registry and the
    // custom audio state all live in a scratch folder.
    std::string scratch = "/tmp/quorl-shots-XXXXXX";
    if (!::mkdtemp(scratch.data()))
        return 1;
    ::setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", scratch.c_str(), 1);
    ::setenv("QUORL_BUILD_DIR", scratch.c_str(), 1);
    // Two simulated cradles (pseudo-terminals, held open while the pictures are taken),
    // so System Setup and Connected Devices show a list.
    std::string cradles;
    for (int i = 0; i < 2; ++i) {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            continue;
        cradles += (cradles.empty() ? "" : ":") + std::string(::ptsname(master));
    }
    ::setenv("QUORL_SIM_CRADLES", cradles.c_str(), 1);
    const std::string platform = "offscreen:configfile=" + screenConfig(scratch, scale);
    ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    ::setenv("QT_SCALE_FACTOR", std::to_string(scale).c_str(), 1);
    // The build machine's desktop settings must not change the pictures.
    for (const char* name : {"QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                             "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_FONT_DPI"})
        ::unsetenv(name);

    qInstallMessageHandler(quietOffscreenNotes);
    QApplication app(argc, argv);
    quorl::applyDesktopLook(app);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Tessaly VI Quorl"));
    // The same look on every build machine: Fusion, and the font the dependency
    // script installs.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QApplication::setPalette(dark ? quorl::darkFusionPalette() : quorl::lightFusionPalette());

    const QString folder = QString::fromStdString(out);
    QDir().mkpath(folder);
    const QString suffix = dark        ? QStringLiteral("-dark")
                           : scale > 1 ? QStringLiteral("@%1x").arg(scale)
                                       : QString();
    int written = 0;
    int failed = 0;
    quorl::WindowGallery gallery(scratch);
    gallery.forEach([&](const QString& name, QWidget& window) {
        const QString file = folder + QLatin1Char('/') + name + suffix + QStringLiteral(".png");
        if (window.grab().save(file))
            ++written;
        else {
            std::fprintf(stderr, "quorl-screenshots: cannot write %s\n", qPrintable(file));
            ++failed;
        }
    });
    QDir(QString::fromStdString(scratch)).removeRecursively();
    std::printf("quorl-screenshots: %d pictures in %s\n", written, out.c_str());
    return failed == 0 && written > 0 ? 0 : 1;
}
