#pragma once

#include <QImage>

namespace quorl {

inline constexpr int kViewWidth = 920;
inline constexpr int kViewHeight = 550;

// The welcome picture in the top-left corner of the main view.
QImage backgroundPicture();

} // namespace quorl
