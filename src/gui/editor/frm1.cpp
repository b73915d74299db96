#include "editor/frm1.h"

#include "app/appstate.h"
#include "app/product.h"

namespace askbright {

frm1::frm1(AppState &state, QWidget *parent) : QMainWindow(parent), m_state(state)
{
    setWindowTitle(productTitle + versionText());
    setMinimumSize(616, 488);
}

} // namespace askbright
