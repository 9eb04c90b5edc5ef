#pragma once

#include "app/program_theme.h"

#include <QPalette>
#include <QString>
#include <filesystem>
#include <functional>

class QWidget;

namespace quorl {

// Every window and tab of the program, built over sample codeplugs and shown one
// after the other: the pictures of the manual and the layout test both walk it, so
// what the manual shows is what the test has checked.
class WindowGallery {
public:
    // `scratch` receives the custom audio state file the Custom Audio window writes.
    explicit WindowGallery(std::filesystem::path scratch);

    // Builds and shows each window in turn, hands it to `visit` with its picture name
    // ("main-window", "user-data-channel", ...) and destroys it afterwards.
    using Visit = std::function<void(const QString& name, QWidget& window)>;
    void forEach(const Visit& visit);

    // Every picture name, in the order forEach visits them.
    static QStringList names();

private:
    std::filesystem::path scratch_;
};

} // namespace quorl
