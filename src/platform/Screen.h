#pragma once
// The screen as the windows see it: its size in twips, twips per pixel, and the one
// application-wide mouse pointer value (0 default, 11 hourglass). The pointer is a single value,
// never a stack, so no code path can leave the hourglass behind by missing a restore.
namespace Screen {

inline constexpr int vbDefault = 0;
inline constexpr int vbHourglass = 11;

void SetMousePointer(int value);
int MousePointer();

int Width();  // twips
int Height(); // twips
// Makes Width and Height report a screen of that many pixels (tests of small screens);
// 0, 0 gives the real screen back.
void Simulate(int widthPixels, int heightPixels);
int TwipsPerPixelX();
int TwipsPerPixelY();

} // namespace Screen
