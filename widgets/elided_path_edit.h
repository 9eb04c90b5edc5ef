#pragma once

#include <QLineEdit>

class QFontMetrics;

namespace quorl {

// A read-only box for a file path that keeps the file name readable. When the path
// is wider than the box, the middle of its folder part gives way
// ("/usr/…/WavForms/01_custom_alert_1.wav"); the whole path is the box's tooltip
// and its text(), so copying and the program's own logic see the full path.
class ElidedPathEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit ElidedPathEdit(QWidget* parent = nullptr);

    // What the box shows at its present width.
    QString displayedText() const;

    // `path` fitted into `width` pixels: whole when it fits; else the folders'
    // middle elided and the file name whole; a file name too long even alone loses
    // its own middle, so its start and its extension stay.
    static QString elidePath(const QString& path, const QFontMetrics& metrics, int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;
};

} // namespace quorl
