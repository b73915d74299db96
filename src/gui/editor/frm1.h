#pragma once

#include <QMainWindow>

namespace askbright {

class AppState;

// The main window.
class frm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit frm1(AppState &state, QWidget *parent = nullptr);

private:
    AppState &m_state;
};

} // namespace askbright
