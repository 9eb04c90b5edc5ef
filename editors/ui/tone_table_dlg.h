#pragma once

#include "codeplug/codeplug_state.h"
#include "codeplug/tone_tables.h"
#include "editors/channel_texts.h"

#include <QDialog>
#include <QString>
#include <string_view>

class QButtonGroup;
class QGridLayout;
class QRadioButton;
class QScrollArea;
class QVBoxLayout;

namespace quorl {

// A tone table as a grid of radio buttons. It opens on the tone the process-wide
// ToneTarget names (the exact entry, else the nearest) and, on OK, stores the
// chosen tone itself through the three store operations, so the copies of the
// channel's coding option follow. Cancel stores nothing.
class CToneTableDlgBase : public QDialog {
    Q_OBJECT
public:
    CToneTableDlgBase(const ToneTable& table, std::string_view title, CodeplugState& state,
                      int channel, QWidget* parent = nullptr);

    int selectedIndex() const { return selected_; }
    QString selectedText() const { return selectedText_; }
    QRadioButton* radio(int index) const;

    void accept() override;

private:
    void buildFrames();
    void buildRows();
    // The table's grid, inside a scroll area that keeps the window on a small screen.
    QGridLayout* scrolledGrid(QVBoxLayout* outer);
    void fitToScreen();

    const ToneTable& table_;
    CodeplugState& state_;
    int channel_;
    QButtonGroup* group_;
    QScrollArea* scroll_ = nullptr;
    int selected_ = -1;
    QString selectedText_;
};

// The Corvane table: eight framed groups of ten.
class CCorToneTable : public CToneTableDlgBase {
    Q_OBJECT
public:
    CCorToneTable(CodeplugState& state, int channel, QWidget* parent = nullptr)
        : CToneTableDlgBase(corvaneToneTable(), texts::channel::kCorvaneTableTitle, state, channel,
                            parent) {}
};

// The GE table: 31 tones in rows of eight.
class CGEToneTableDlg : public CToneTableDlgBase {
    Q_OBJECT
public:
    CGEToneTableDlg(CodeplugState& state, int channel, QWidget* parent = nullptr)
        : CToneTableDlgBase(geToneTable(), texts::channel::kGeTableTitle, state, channel, parent) {}
};

// The Plectron table, also used by Fast Plectron: 54 tones in rows of eight.
class CPLToneTableDlg : public CToneTableDlgBase {
    Q_OBJECT
public:
    CPLToneTableDlg(CodeplugState& state, int channel, QWidget* parent = nullptr)
        : CToneTableDlgBase(plectronToneTable(), texts::channel::kPlectronTableTitle, state,
                            channel, parent) {}
};

} // namespace quorl
