#pragma once

namespace quorl {

class CDataTabDlg;
struct ToneUse;

// A found page's tones into the chosen call of the User Data window that is shown:
// its channel tab comes up and the tones go into the boxes as if typed and
// confirmed, so the tab's snapping, range and spacing checks and their warnings
// apply as for any typed tone. A tone the coding option copies from another stays
// as the tab shows it. The window's OK keeps them, its Cancel discards them.
void applyToneUse(CDataTabDlg& window, const ToneUse& use);

} // namespace quorl
