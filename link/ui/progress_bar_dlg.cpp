#include "link/ui/progress_bar_dlg.h"

#include "link/link_texts.h"

#include <QCloseEvent>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QVBoxLayout>

namespace quorl {

CTextProgressBar::CTextProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

void CTextProgressBar::paintEvent(QPaintEvent* event) {
    QProgressBar::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, text_);
}

void CTextProgressBar::setBarText(const QString& text) {
    text_ = text;
    update();
}

CProgressBarDlg::CProgressBarDlg(QWidget* parent)
    : QDialog(parent), bar_(new CTextProgressBar(this)) {
    setWindowTitle(QString::fromUtf8(link_texts::kProgressTitle.data(),
                                     static_cast<qsizetype>(link_texts::kProgressTitle.size())));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    setMinimumWidth(320);
}

void CProgressBarDlg::setText(const QString& text) {
    bar_->setBarText(text);
}

void CProgressBarDlg::setPosition(int percent) {
    if (percent < 0 || percent > 100)
        return;
    bar_->setValue(percent);
}

void CProgressBarDlg::closeEvent(QCloseEvent* event) {
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

int CProgressBarDlg::position() const {
    return bar_->value();
}

QString CProgressBarDlg::text() const {
    return bar_->text();
}

} // namespace quorl
