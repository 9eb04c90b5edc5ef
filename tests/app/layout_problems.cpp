#include "layout_problems.h"

#include "widgets/elided_path_edit.h"
#include "widgets/level_scale.h"
#include "widgets/level_slider.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

namespace quorl::test {

namespace {

QString describe(const QWidget* w) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(w))
        text = label->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(w))
        text = button->text();
    else if (auto* box = qobject_cast<const QGroupBox*>(w))
        text = box->title();
    QString name = QString::fromUtf8(w->metaObject()->className());
    if (!w->objectName().isEmpty())
        name += QLatin1Char('#') + w->objectName();
    if (!text.isEmpty())
        name += QStringLiteral(" \"") + text.left(40) + QLatin1Char('"');
    return name;
}

QString rectText(const QRect& r) {
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Qt's composite controls lay out their own insides; only their outside is ours.
bool ownsItsInsides(const QWidget* w) {
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QTabBar*>(w) || qobject_cast<const QMenuBar*>(w) ||
           qobject_cast<const QToolBar*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QPrintPreviewDialog*>(w) ||
           (qobject_cast<const QAbstractScrollArea*>(w) && !qobject_cast<const QScrollArea*>(w));
}

void checkText(const QWidget* w, QStringList& problems) {
    const QSize size = w->size();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return;
        const QSize hint = label->sizeHint();
        const bool clipped = label->wordWrap()
                                 ? size.height() < label->heightForWidth(size.width())
                                 : size.width() < hint.width() || size.height() < hint.height();
        if (clipped)
            problems << QStringLiteral("clipped text: %1 is %2x%3, needs %4x%5")
                            .arg(describe(w))
                            .arg(size.width())
                            .arg(size.height())
                            .arg(hint.width())
                            .arg(label->wordWrap() ? label->heightForWidth(size.width())
                                                   : hint.height());
        return;
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        if (button->text().isEmpty())
            return;
        const QSize hint = button->minimumSizeHint();
        if (size.width() < hint.width() || size.height() < hint.height())
            problems << QStringLiteral("clipped text: %1 is %2x%3, needs %4x%5")
                            .arg(describe(w))
                            .arg(size.width())
                            .arg(size.height())
                            .arg(hint.width())
                            .arg(hint.height());
        return;
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.currentText = combo->currentText();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        const int needed = combo->fontMetrics().horizontalAdvance(combo->currentText());
        if (field.width() < needed)
            problems << QStringLiteral("clipped text: %1 shows \"%2\" in %3 of %4 pixels")
                            .arg(describe(w), combo->currentText())
                            .arg(field.width())
                            .arg(needed);
        return;
    }
    if (auto* path = qobject_cast<const ElidedPathEdit*>(w)) {
        // A path box shows what fits, with the file name whole.
        const QString shown = path->displayedText();
        const QString name = path->text().section(QLatin1Char('/'), -1);
        if (!path->text().isEmpty() && !shown.endsWith(name))
            problems << QStringLiteral("clipped text: %1 shows \"%2\" without its file name")
                            .arg(describe(w), shown);
        return;
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        const QRect field = edit->contentsRect().marginsRemoved(edit->textMargins());
        // A line edit keeps about two pixels on each side for its cursor.
        const int needed = edit->fontMetrics().horizontalAdvance(edit->text()) + 4;
        if (!edit->text().isEmpty() && field.width() < needed)
            problems << QStringLiteral("clipped text: %1 shows \"%2\" in %3 of %4 pixels")
                            .arg(describe(w), edit->text())
                            .arg(field.width())
                            .arg(needed);
    }
}

// WCAG relative luminance and contrast ratio (1 to 21) of two colours.
double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Text a user must read stands out from its background by at least 4.5 : 1, in
// whatever palette the program runs (the dark theme included).
void checkContrast(const QWidget* w, QStringList& problems) {
    if (!w->isEnabled())
        return;
    QPalette::ColorRole text = QPalette::WindowText, back = QPalette::Window;
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty())
            return;
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        if (button->text().isEmpty())
            return;
        text = QPalette::ButtonText;
        back = QPalette::Button;
    } else if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        if (edit->text().isEmpty())
            return;
        text = QPalette::Text;
        // A box with a see-through base shows the window behind it.
        back =
            edit->palette().color(QPalette::Base).alpha() == 0 ? QPalette::Window : QPalette::Base;
    } else {
        return;
    }
    const double ratio = contrast(w->palette().color(text), w->palette().color(back));
    if (ratio < 4.5)
        problems
            << QStringLiteral("low contrast: %1 at %2 : 1").arg(describe(w)).arg(ratio, 0, 'f', 1);
}

// A slider's level names stand each under its own tick: the number that begins a
// name is where a click picks that level, and the numbers are evenly spaced.
void checkLevelNames(const LevelScale* scale, QStringList& problems) {
    const LevelSlider* slider = scale->slider();
    QList<int> centres;
    for (int level = slider->minimum(); level <= slider->maximum(); ++level) {
        const auto* name = scale->findChild<QLabel*>(QStringLiteral("level%1").arg(level));
        if (!name)
            return;
        const int lead = name->fontMetrics().horizontalAdvance(name->text().left(1));
        const int x =
            name->mapTo(scale->window(), QPoint(name->contentsRect().left() + lead / 2, 0)).x() -
            slider->mapTo(scale->window(), QPoint()).x();
        centres << x;
        if (slider->levelAt(x) != level)
            problems << QStringLiteral("misplaced: %1 stands under level %2 of %3")
                            .arg(describe(name))
                            .arg(slider->levelAt(x))
                            .arg(describe(slider));
    }
    for (int i = 2; i < centres.size(); ++i)
        if (std::abs((centres[i] - centres[i - 1]) - (centres[1] - centres[0])) > 2)
            problems << QStringLiteral("misplaced: the level names of %1 are unevenly spaced")
                            .arg(describe(slider));
}

void checkChildren(QWidget* parent, QStringList& problems) {
    QList<QWidget*> shown;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || !w->isVisible())
            continue;
        shown << w;
    }
    // The page inside a scroll area may be larger than the area: it scrolls.
    const bool scrolled = parent->parentWidget() &&
                          qobject_cast<QScrollArea*>(parent->parentWidget()) &&
                          static_cast<QScrollArea*>(parent->parentWidget())->viewport() == parent;
    for (int i = 0; i < shown.size(); ++i) {
        QWidget* w = shown[i];
        if (!scrolled && !parent->rect().contains(w->geometry()))
            problems << QStringLiteral("outside: %1 %2 lies outside %3 %4")
                            .arg(describe(w), rectText(w->geometry()), describe(parent),
                                 rectText(parent->rect()));
        for (int j = i + 1; j < shown.size(); ++j)
            if (w->geometry().intersects(shown[j]->geometry()))
                problems << QStringLiteral("overlap: %1 %2 and %3 %4 in %5")
                                .arg(describe(w), rectText(w->geometry()), describe(shown[j]),
                                     rectText(shown[j]->geometry()), describe(parent));
        checkText(w, problems);
        checkContrast(w, problems);
        if (auto* scale = qobject_cast<const LevelScale*>(w))
            checkLevelNames(scale, problems);
        if (!ownsItsInsides(w))
            checkChildren(w, problems);
    }
}

// The focus frame and a table's selected row are drawn in the highlight colour: it
// stands out from the window and from a box's or table's background (3 : 1, as for
// any mark that is not text), and the selected row's text on it reads at 4.5 : 1.
void checkFocusColours(const QWidget& window, QStringList& problems) {
    const QPalette& p = window.palette();
    const QColor mark = p.color(QPalette::Highlight);
    for (const auto role : {QPalette::Window, QPalette::Base})
        if (const double ratio = contrast(mark, p.color(role)); ratio < 3.0)
            problems << QStringLiteral("faint focus: the highlight against %1 at %2 : 1")
                            .arg(role == QPalette::Window ? QStringLiteral("the window")
                                                          : QStringLiteral("a box"))
                            .arg(ratio, 0, 'f', 1);
    // A selected row's text is text to read.
    if (const double ratio = contrast(p.color(QPalette::HighlightedText), mark); ratio < 4.5)
        problems << QStringLiteral("low contrast: selected text at %1 : 1").arg(ratio, 0, 'f', 1);
}

// The letter after a single '&' in a control's text: what Alt and that letter press.
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Two controls of one window answering the same Alt key: the second is out of reach.
void checkMnemonics(QWidget& window, QStringList& problems) {
    QHash<QChar, const QWidget*> taken;
    const auto take = [&](const QWidget* w, const QString& text) {
        const QChar key = mnemonicOf(text);
        if (key.isNull() || !w->isVisible())
            return;
        if (const QWidget* first = taken.value(key))
            problems << QStringLiteral("mnemonic: Alt+%1 is %2 and %3")
                            .arg(key.toUpper(), describe(first), describe(w));
        else
            taken.insert(key, w);
    };
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window)
            continue;
        if (auto* label = qobject_cast<const QLabel*>(w); label && label->buddy())
            take(w, label->text());
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            take(w, button->text());
        else if (auto* box = qobject_cast<const QGroupBox*>(w); box && box->isCheckable())
            take(w, box->title());
    }
}

} // namespace

QStringList scrollProblems(QWidget& window) {
    QStringList problems;
    for (const QScrollArea* area : window.findChildren<QScrollArea*>()) {
        if (!area->isVisible() || !area->widget())
            continue;
        const QSize page = area->widget()->size();
        const QSize room = area->viewport()->size();
        if (page.width() > room.width() || page.height() > room.height())
            problems << QStringLiteral("scrolls: %1 shows a page of %2x%3 in %4x%5")
                            .arg(describe(area))
                            .arg(page.width())
                            .arg(page.height())
                            .arg(room.width())
                            .arg(room.height());
    }
    return problems;
}

QStringList layoutProblems(QWidget& window) {
    QStringList problems;
    if (const QScreen* screen = window.screen()) {
        const QRect available = screen->availableGeometry();
        if (!available.contains(window.frameGeometry()))
            problems << QStringLiteral("off screen: %1 %2 reaches past the screen %3")
                            .arg(describe(&window), rectText(window.frameGeometry()),
                                 rectText(available));
    }
    if (!ownsItsInsides(&window))
        checkChildren(&window, problems);
    checkMnemonics(window, problems);
    checkFocusColours(window, problems);
    return problems;
}

} // namespace quorl::test
