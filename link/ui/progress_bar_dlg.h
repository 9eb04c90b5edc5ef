#pragma once

#include <QDialog>
#include <QProgressBar>

namespace quorl {

// A progress bar with the operation's own text drawn over it ("Reading 40%").
class CTextProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit CTextProgressBar(QWidget* parent = nullptr);
    QString text() const override { return text_; }
    void setBarText(const QString& text);

protected:
    // The style draws the bar; the text goes on top of it, centred, whatever the style
    // would do with a bar's text (some put it beside the bar).
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

// "Progress Indicator": the modeless window a pager operation counts up in.
class CProgressBarDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProgressBarDlg(QWidget* parent = nullptr);

    void setText(const QString& text);
    // Positions outside 0..100 are ignored.
    void setPosition(int percent);
    int position() const;
    QString text() const;

    // Escape and the title bar's close button leave the window up: the operation it
    // counts goes on, and only the operation closes it.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CTextProgressBar* bar_;
};

} // namespace quorl
