#pragma once
// The two pictures of the title screen, drawn by the program itself:
// radiators giving off heat waves over a warm gradient, in true colour.

class QPainter;

namespace hk::ui {

inline constexpr int kBackgroundWidth = 595; // px
inline constexpr int kBackgroundHeight = 401;
inline constexpr int kPictureWidth = 470;
inline constexpr int kPictureHeight = 277;

// The pictures are painted straight onto the screen, from the top left
// corner of p's device, each clipped to its size: the program keeps no copy
// of their pixels.

// The background behind the title screen's controls.
void PaintTitleBackground(QPainter& p);

// The picture Image1(0) in the middle of the title screen.
void PaintTitlePicture(QPainter& p);

} // namespace hk::ui
