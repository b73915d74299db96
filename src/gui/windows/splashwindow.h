#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace askbright {

class WindowContext;

// Where the names of the installed fonts come from; tests give their own.
class FontSource {
public:
    virtual ~FontSource() = default;
    virtual int fontCount() = 0;
    // The name of font index, 0 <= index < fontCount().
    virtual QString fontName(int index) = 0;
};

// The fonts the screen can display.
class ScreenFonts : public FontSource {
public:
    int fontCount() override;
    QString fontName(int index) override;

private:
    void collect();

    QStringList m_families;
    bool m_collected = false;
};

// The first window of a run: a picture and a few texts while the installed
// font names are collected into the shared state with a percentage display.
// Then it shows the main window, whose load closes the splash.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow(WindowContext &context, FontSource &fonts, std::function<void()> showMainWindow,
                 QWidget *parent = nullptr);

    // Half a second after the splash shows: raises m_startButton's click.
    void onStartTimer();
    // Collects the fonts, then shows the main window.
    void onStartClicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void load();
    void loadFonts();
    void loadingEnded();

    WindowContext &m_ctx;
    FontSource &m_fonts;
    std::function<void()> m_showMainWindow;

    QLabel *m_picture = nullptr;
    QLabel *m_loadingLabel = nullptr, *m_sloganLabel = nullptr, *m_countLabel = nullptr,
           *m_percentLabel = nullptr;
    QTimer *m_startTimer = nullptr;
    QPushButton *m_startButton = nullptr;
};

} // namespace askbright
