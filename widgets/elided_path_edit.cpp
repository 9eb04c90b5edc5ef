#include "widgets/elided_path_edit.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace quorl {

namespace {
// The gap a line edit keeps between its frame and its text, on each side.
constexpr int kTextGap = 2;
} // namespace

ElidedPathEdit::ElidedPathEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& path) {
        setToolTip(path);
        update();
    });
}

QString ElidedPathEdit::elidePath(const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const QString ellipsis(QChar(0x2026));
    const int nameWidth = metrics.horizontalAdvance(name);
    if (slash < 0 || nameWidth + metrics.horizontalAdvance(ellipsis + QLatin1Char('/')) > width)
        return metrics.elidedText(name, Qt::ElideMiddle, width);
    return metrics.elidedText(folder, Qt::ElideMiddle, width - nameWidth) + name;
}

QRect ElidedPathEdit::textRect() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).adjusted(kTextGap, 0, -kTextGap, 0);
}

QString ElidedPathEdit::displayedText() const {
    return elidePath(text(), fontMetrics(), textRect().width());
}

void ElidedPathEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textRect(), Qt::AlignLeft | Qt::AlignVCenter, displayedText());
}

} // namespace quorl
