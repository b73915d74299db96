#pragma once

#include <QObject>
#include <optional>

class QSystemTrayIcon;

namespace askbright {

// The notification-area icon of the main window. The indicator marks unsaved
// changes; a press on the icon reports the mouse button (1 left, 2 right).
class TrayControl : public QObject {
    Q_OBJECT
public:
    explicit TrayControl(QObject *parent = nullptr);

    // Puts the icon into the notification area when the desktop has one.
    void start();
    void setIndicator(int value);
    int indicator() const { return m_indicator; }

    // Whether the desktop shows a notification area; settable so that both
    // kinds of desktop can be exercised.
    bool available() const;
    void setAvailable(std::optional<bool> available) { m_available = available; }

signals:
    void mouseDown(int button);

private:
    void updateIcon();

    QSystemTrayIcon *m_icon = nullptr;
    int m_indicator = 0;
    std::optional<bool> m_available;
};

} // namespace askbright
