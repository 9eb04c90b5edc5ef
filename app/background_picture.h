#pragma once

#include <QImage>

namespace quorl {

inline constexpr int kViewWidth = 920;
inline constexpr int kViewHeight = 550;

// The welcome picture in the top-left corner of the main view, drawn for a screen of
// `devicePixelRatio` (2 on a 200 % display) so it stays sharp. It keeps its own
// light colours in a dark desktop theme: it is a picture, not part of the controls.
QImage backgroundPicture(qreal devicePixelRatio = 1.0);

} // namespace quorl
