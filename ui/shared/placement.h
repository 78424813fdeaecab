#pragma once

class QWidget;

// Where the calculator's windows stand on the screen: each whole within the
// screen's room for windows (its available geometry, less panels and docks),
// so that every button of it can be reached.
namespace tobarin {

// Places a window opened for the first time beside another where the screen
// has room, so that both are seen; otherwise on the other side of it; and
// where neither side has room, as far to that side as it stays on the screen.
void placeBeside(QWidget *window, const QWidget *beside);

// Moves a window that reaches past an edge of its screen's room back into
// it. One wider or taller than the room is first made no larger than the
// room, as far as its layout lets it shrink.
void keepOnScreen(QWidget *window);

}  // namespace tobarin
