#include "app/program_theme.h"

#include <QApplication>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

namespace quorl {

namespace {

const QString kThemeKey = QStringLiteral("Settings/Theme");

// The look the program started with, for View > Theme > System.
struct StartingLook {
    QString style;
    QPalette palette;
};

StartingLook& startingLook() {
    static StartingLook look = [] {
        StartingLook start{QApplication::style()->name(), QApplication::palette()};
        // Without a desktop theme Qt falls back to Fusion and its standard palette, whose
        // selected rows read at 3.7 : 1; that is no choice of the user's to keep.
        if (start.style.compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0 &&
            start.palette == QApplication::style()->standardPalette())
            start.palette = lightFusionPalette();
        return start;
    }();
    return look;
}

} // namespace

QPalette lightFusionPalette() {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p = fusion->standardPalette();
    // Fusion's blue, darker: white selected text on it reads at 4.5 : 1 or more, and
    // the focus frame still stands out from the window.
    p.setColor(QPalette::Highlight, QColor(30, 105, 160));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

QPalette darkFusionPalette() {
    QPalette p;
    const QColor window(45, 45, 48);
    const QColor base(30, 30, 32);
    const QColor text(230, 230, 230);
    const QColor disabledText(130, 130, 130);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabledText);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, QColor(255, 90, 90));
    p.setColor(QPalette::Light, QColor(70, 70, 74));
    p.setColor(QPalette::Midlight, QColor(60, 60, 64));
    p.setColor(QPalette::Mid, QColor(35, 35, 38));
    p.setColor(QPalette::Dark, QColor(20, 20, 22));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Link, QColor(90, 160, 240));
    // Bright enough that the focus frame stands out from the window (3 : 1), dark
    // enough that white selected text reads on it (4.5 : 1).
    p.setColor(QPalette::Highlight, QColor(50, 118, 205));
    p.setColor(QPalette::HighlightedText, Qt::white);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    return p;
}

ProgramTheme savedTheme(QSettings& settings) {
    const QString name = settings.value(kThemeKey).toString();
    if (name == QLatin1String("Light"))
        return ProgramTheme::Light;
    if (name == QLatin1String("Dark"))
        return ProgramTheme::Dark;
    return ProgramTheme::System;
}

void saveTheme(QSettings& settings, ProgramTheme theme) {
    static const char* const names[] = {"System", "Light", "Dark"};
    settings.setValue(kThemeKey, QLatin1String(names[static_cast<int>(theme)]));
}

void applyTheme(QApplication& app, ProgramTheme theme) {
    const StartingLook& start = startingLook(); // taken before the first change
    if (theme == ProgramTheme::System) {
        app.setStyle(QStyleFactory::create(start.style));
        app.setPalette(start.palette);
        return;
    }
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setPalette(theme == ProgramTheme::Dark ? darkFusionPalette() : lightFusionPalette());
}

} // namespace quorl
