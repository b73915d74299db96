#pragma once

#include <QString>
#include <functional>

class QLineEdit;
class QPlainTextEdit;

namespace askbright {

// Keeps characters out of a field that the files cannot store (they are
// Windows-1252) and shows the hint instead, so nothing typed is lost later.
using HintText = std::function<QString()>;
void guardCp1252(QLineEdit *field, HintText hint);
void guardCp1252(QPlainTextEdit *field, HintText hint);

} // namespace askbright
