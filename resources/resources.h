// The program's compiled-in pictures: the menu and caption bitmaps and the
// program icon, loaded by name with LoadBitmapA / LoadIconA.
#pragma once

namespace resources {

// Registers the pictures (done at start-up; calling it again is harmless).
void Register();

}  // namespace resources
