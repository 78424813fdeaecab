#pragma once

namespace tobarin {

// Makes the application's style the desktop's own, with one difference: the
// icon of a menu bar's or tool bar's overflow button is read only when the
// button is first drawn. Reading it at once, as the menu bar does when it is
// built, makes Qt load every image format plugin installed (JPEG, GIF, and on
// a full desktop many more), and the window's menu bar never overflows. Call
// once, after the QApplication is made and before the first widget.
void useWindowStyle();

}  // namespace tobarin
