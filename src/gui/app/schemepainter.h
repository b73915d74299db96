#pragma once

#include <initializer_list>

class QWidget;

namespace askbright {

struct ColorScheme;

// How a control takes the colour scheme; a window only names the role of
// each control it paints.
enum class SchemeRole {
    Window,        // background and the window's own text colour
    Text,          // a label's text
    Box,           // check box, option button, frame: background and text
    Button,        // 3D button: face and caption
    ButtonFace,    // 3D button: face only
    ButtonCaption, // 3D button: caption only
    Shape,         // a coloured area in the button colour
    Element,       // an option painted like a button: button colours
};

void paintWithScheme(QWidget *widget, SchemeRole role, const ColorScheme &scheme);
void paintWithScheme(std::initializer_list<QWidget *> widgets, SchemeRole role,
                     const ColorScheme &scheme);

} // namespace askbright
