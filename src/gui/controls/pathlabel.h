#pragma once

#include <QLabel>

namespace askbright {

// A label showing a folder path. A path wider than the label is shown
// shortened in the middle, so that its start and its last folders stay in
// sight; the whole path is the tooltip, and text() stays the whole path.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget *parent = nullptr);

    void setPath(const QString &path);
    // What the label shows of its text.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace askbright
