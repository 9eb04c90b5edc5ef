#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

namespace quorl {

inline constexpr int kViewWidth = 920;
inline constexpr int kViewHeight = 550;
// The top of the picture's sky, shown while the picture is being drawn.
inline const QColor kPictureSkyTop{241, 250, 238};

// The words the view writes over the picture, under its title, where and how.
inline constexpr const char* kStartNote =
    "Put the pager in its programming cradle and press F3 to read it, or open a codeplug file "
    "with Ctrl+O.";
inline const QRectF kPictureNoteRect{342, 290, 540, 120};
inline const QColor kPictureNoteColor{69, 123, 157};

// The welcome picture in the top-left corner of the main view, drawn for a screen of
// `devicePixelRatio` (2 on a 200 % display) so it stays sharp. It keeps its own
// light colours in a dark desktop theme: it is a picture, not part of the controls.
QImage backgroundPicture(qreal devicePixelRatio = 1.0);

} // namespace quorl
