#pragma once

#include <QFont>

namespace tobarin {

enum class Font;

// The window's faces are asked for by name; where the machine lacks them, the
// IPA proportional faces of the same kind stand in. Call once before the
// first font is made.
void installFontSubstitutes();

// The font of a key of the window's definition (form/definition.h).
[[nodiscard]] QFont fontOf(Font key);

}  // namespace tobarin
