#pragma once

class QWidget;

namespace askbright {

// Puts a window into the topmost band or takes it out; position and size stay.
void FormOnTop(QWidget *window, bool onTop);

} // namespace askbright
