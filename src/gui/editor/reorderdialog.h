#pragma once

#include "app/language.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;

namespace askbright {

class AppState;
class Button3D;
class ResizeEngine;
class WindowContext;

// The re-ordering window: the questions of all records as a list; the
// selected one moves one place up or down with the two arrows, and every move
// swaps two records of the database at once (there is no undo). It lies over
// its owner, the main window, whenever it becomes active.
class ReorderDialog : public QDialog {
    Q_OBJECT
public:
    ReorderDialog(WindowContext &context, QWidget *parent = nullptr);

    // The arrow pictures: 101 up active, 102 up inactive, 103 down active,
    // 104 down inactive.
    static QPixmap bitmap(int id);

    // Title, hint and button in language.
    void retranslate(Language language);
    void onActivated();
    void onListClicked();
    void onUpClicked();
    void onDownClicked();
    void onUpPressed();
    void onUpReleased();
    void onDownPressed();
    void onDownReleased();
    void onLeaveClicked();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool guard(const char *procedure, const std::function<void()> &body);
    void load();
    void buildControls();
    void showBitmap(QLabel *arrow, int id);
    // The selected line, or -1 when none is.
    int selectedLine() const;
    // Line p shows record p + 1.
    void showQuestion(int line);
    void setPressed(QLabel *arrow, bool pressed);

    WindowContext &m_ctx;
    AppState &m_state;
    ResizeEngine *m_resize = nullptr;
    QLabel *m_pressed = nullptr; // the arrow the mouse went down on

    QLabel *m_hintLabel;
    QListWidget *m_questionList;
    QLabel *m_upArrow;
    QLabel *m_downArrow;
    Button3D *m_leaveButton;
};

} // namespace askbright
