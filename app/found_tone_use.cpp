#include "app/found_tone_use.h"

#include "base/decimal_text.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/data_tab_dlg.h"
#include "tones/ui/find_tones_dlg.h"

#include <QLineEdit>
#include <QTabBar>
#include <array>
#include <cmath>

namespace quorl {

void applyToneUse(CDataTabDlg& window, const ToneUse& use) {
    window.tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage + use.channel);
    CChannelF1Dlg* page = window.channelPage();
    const auto text = [](double hz) { return QString::fromStdString(decimalText(hz, 1)); };
    if (use.group > 0 && use.hz.size() == 1) {
        page->enterTone({ToneKind::Group, use.group}, text(use.hz[0]));
    } else if (use.call > 0 && use.hz.size() == 2) {
        const ToneSlot first{ToneKind::Tone1, use.call}, second{ToneKind::Tone2, use.call};
        // The tab keeps a call's two tones apart: when the new tone 1 is near the
        // tone 2 the call has now (a page whose tones trade places, or share one),
        // tone 2 goes in first, so neither is refused for the other's old value.
        const double oldSecond = page->toneEdit(second)->text().toDouble();
        const bool secondFirst = std::abs(use.hz[0] - oldSecond) < 0.02 * use.hz[0];
        for (const ToneSlot& slot :
             secondFirst ? std::array{second, first} : std::array{first, second})
            page->enterTone(slot, text(use.hz[slot.kind == ToneKind::Tone1 ? 0 : 1]));
    }
}

} // namespace quorl
