#pragma once
// The two pictures of the title screen, drawn by the program itself:
// radiators giving off heat waves over a warm gradient.

#include <QImage>

namespace hk::ui {

inline constexpr int kBackgroundWidth = 595; // px
inline constexpr int kBackgroundHeight = 401;
inline constexpr int kPictureWidth = 470;
inline constexpr int kPictureHeight = 277;

// The background behind the title screen's controls, 24-bit colour.
QImage TitleBackground();

// The picture Image1(0) in the middle of the title screen, 24-bit colour.
QImage TitlePicture();

} // namespace hk::ui
