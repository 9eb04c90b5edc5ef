#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;

namespace quorl {

class LevelSlider;

// The names of a LevelSlider's levels, each under its tick: the first character of
// a name (its number) stands centred under the tick, whatever the style, font or
// scale puts the ticks. Clicking a name chooses its level.
class LevelScale : public QWidget {
    Q_OBJECT

public:
    // `scale` holds the names separated by runs of spaces ("1(Tight)   2 ..."); it is
    // also the control's accessible name.
    LevelScale(LevelSlider* slider, const QString& scale, QWidget* parent = nullptr);

    LevelSlider* slider() const { return slider_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Where the centre of level `level`'s tick lies, in this widget's coordinates.
    int tickX(int level) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeNames();
    int tickInSlider(int level) const;

    LevelSlider* slider_;
    QList<QLabel*> names_;
};

} // namespace quorl
