#include "app/found_tone_use.h"

#include "codeplug/decimal_text.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/data_tab_dlg.h"
#include "tones/ui/find_tones_dlg.h"

#include <QTabBar>

namespace quorl {

void applyToneUse(CDataTabDlg& window, const ToneUse& use) {
    window.tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage + use.channel);
    CChannelF1Dlg* page = window.channelPage();
    const auto text = [](double hz) { return QString::fromStdString(decimalText(hz, 1)); };
    if (use.group > 0 && use.hz.size() == 1) {
        page->enterTone({ToneKind::Group, use.group}, text(use.hz[0]));
    } else if (use.call > 0 && use.hz.size() == 2) {
        page->enterTone({ToneKind::Tone1, use.call}, text(use.hz[0]));
        page->enterTone({ToneKind::Tone2, use.call}, text(use.hz[1]));
    }
}

} // namespace quorl
