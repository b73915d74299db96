#include "resize/widgetresizewindow.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QWidget>
#include <cmath>

namespace askbright {

namespace {

using Property = ResizeWindow::Property;

constexpr double largestPixel = 1e7; // far beyond any screen, well inside int

double twips(int pixels)
{
    return double(pixels) * WidgetResizeWindow::twipsPerPixel;
}

std::optional<int> pixels(double twips)
{
    const double p = twips / WidgetResizeWindow::twipsPerPixel;
    if (!std::isfinite(p) || std::abs(p) > largestPixel)
        return std::nullopt;
    return qRound(p);
}

bool isPlainContainer(const QWidget *w)
{
    const QMetaObject *type = w->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject ||
           type == &QGroupBox::staticMetaObject;
}

std::optional<Qt::Orientation> lineOrientation(const QWidget *w)
{
    if (const auto *frame = qobject_cast<const QFrame *>(w)) {
        if (frame->frameShape() == QFrame::HLine)
            return Qt::Horizontal;
        if (frame->frameShape() == QFrame::VLine)
            return Qt::Vertical;
    }
    return std::nullopt;
}

bool managedBy(QLayout *layout, const QWidget *w)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w || (item->layout() && managedBy(item->layout(), w)))
            return true;
    }
    return false;
}

// Moves one end of a line along its direction; the other end stays where it
// is unless the line would turn around, in which case it shrinks to a point.
void moveLineEnd(QWidget *w, Qt::Orientation along, bool firstEnd, int to)
{
    const bool horizontal = along == Qt::Horizontal;
    int start = horizontal ? w->x() : w->y();
    int end = start + (horizontal ? w->width() : w->height());
    if (firstEnd) {
        start = to;
        end = std::max(end, to);
    } else {
        end = to;
        start = std::min(start, to);
    }
    if (horizontal)
        w->setGeometry(start, w->y(), end - start, w->height());
    else
        w->setGeometry(w->x(), start, w->width(), end - start);
}

} // namespace

WidgetResizeWindow::WidgetResizeWindow(QWidget *container) : m_container(container) {}

ResizeWindow::Geometry WidgetResizeWindow::windowGeometry() const
{
    if (!m_container)
        return {};
    const QWidget *window = m_container->window();
    return {twips(window->x()), twips(window->y()), twips(m_container->width()),
            twips(m_container->height())};
}

void WidgetResizeWindow::setWindowHeight(double height)
{
    const auto target = pixels(height);
    if (!m_container || !target)
        return;
    QWidget *window = m_container->window();
    window->resize(window->width(), window->height() + *target - m_container->height());
    settleLayout();
}

void WidgetResizeWindow::setWindowWidth(double width)
{
    const auto target = pixels(width);
    if (!m_container || !target)
        return;
    QWidget *window = m_container->window();
    window->resize(window->width() + *target - m_container->width(), window->height());
    settleLayout();
}

void WidgetResizeWindow::settleLayout()
{
    QList<QWidget *> chain; // the container's ancestors up to its window, outermost last
    for (QWidget *w = m_container; w && !w->isWindow(); w = w->parentWidget())
        chain.append(w->parentWidget());
    for (auto it = chain.crbegin(); it != chain.crend(); ++it) {
        QLayout *layout = (*it)->layout();
        if (layout && layout->geometry() != (*it)->rect()) {
            layout->invalidate();
            layout->activate();
        }
    }
}

int WidgetResizeWindow::enumerateControls()
{
    m_controls.clear();
    if (m_container)
        collect(m_container);
    return int(m_controls.size());
}

void WidgetResizeWindow::collect(QWidget *parent)
{
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")) ||
            (parent->layout() && managedBy(parent->layout(), w)))
            continue;
        if (!m_keys.contains(w))
            assignKey(w);
        m_controls.append(w);
        if (isPlainContainer(w) && !lineOrientation(w) && !w->layout())
            collect(w);
    }
}

QWidget *WidgetResizeWindow::control(int index) const
{
    return index >= 0 && index < m_controls.size() ? m_controls.at(index).data() : nullptr;
}

void WidgetResizeWindow::assignKey(QWidget *w)
{
    QString key = w->objectName();
    while (key.isEmpty() || m_owners.contains(key))
        key = QStringLiteral("<%1 %2>")
                  .arg(QLatin1String(w->metaObject()->className()))
                  .arg(++m_generatedCount);
    m_keys.insert(w, key);
    m_owners.insert(key, w);
    QObject::connect(w, &QObject::destroyed, &m_connections,
                     [this](QObject *gone) { m_owners.remove(m_keys.take(gone)); });
}

QString WidgetResizeWindow::keyOf(const QWidget *widget) const
{
    return m_keys.value(widget);
}

QString WidgetResizeWindow::controlKey(int index) const
{
    return keyOf(control(index));
}

ResizeWindow::Kind WidgetResizeWindow::controlKind(int index) const
{
    const QWidget *w = control(index);
    if (qobject_cast<const QComboBox *>(w))
        return Kind::FixedHeightList;
    if (w && lineOrientation(w))
        return Kind::Line;
    return Kind::Other;
}

std::optional<double> WidgetResizeWindow::read(int index, Property property) const
{
    const QWidget *w = control(index);
    if (!w)
        return std::nullopt;
    const auto line = lineOrientation(w);
    const bool horizontal = line == Qt::Horizontal;
    switch (property) {
    case Property::Left:
        return twips(w->x());
    case Property::Top:
        return twips(w->y());
    case Property::Width:
        return twips(w->width());
    case Property::Height:
        return twips(w->height());
    case Property::X1:
        return line ? std::optional(twips(w->x())) : std::nullopt;
    case Property::X2:
        return line ? std::optional(twips(w->x() + (horizontal ? w->width() : 0))) : std::nullopt;
    case Property::Y1:
        return line ? std::optional(twips(w->y())) : std::nullopt;
    case Property::Y2:
        return line ? std::optional(twips(w->y() + (horizontal ? 0 : w->height()))) : std::nullopt;
    case Property::FontSize: {
        const qreal points = w->font().pointSizeF();
        return points > 0 ? std::optional(double(points)) : std::nullopt;
    }
    }
    return std::nullopt;
}

bool WidgetResizeWindow::write(int index, Property property, double value)
{
    QWidget *w = control(index);
    if (!w)
        return false;
    if (property == Property::FontSize) {
        QFont font = w->font();
        if (!(font.pointSizeF() > 0 && value > 0 && std::isfinite(value)))
            return false;
        font.setPointSizeF(value);
        w->setFont(font);
        return true;
    }
    const auto p = pixels(value);
    if (!p)
        return false;
    const auto line = lineOrientation(w);
    switch (property) {
    case Property::Left:
        w->move(*p, w->y());
        return true;
    case Property::Top:
        w->move(w->x(), *p);
        return true;
    case Property::Width:
        w->resize(*p, w->height());
        return true;
    case Property::Height:
        w->resize(w->width(), *p);
        return true;
    case Property::X1:
    case Property::X2:
        if (!line)
            return false;
        if (*line == Qt::Horizontal)
            moveLineEnd(w, Qt::Horizontal, property == Property::X1, *p);
        else
            w->move(*p, w->y());
        return true;
    case Property::Y1:
    case Property::Y2:
        if (!line)
            return false;
        if (*line == Qt::Vertical)
            moveLineEnd(w, Qt::Vertical, property == Property::Y1, *p);
        else
            w->move(w->x(), *p);
        return true;
    case Property::FontSize:
        break;
    }
    return false;
}

bool WidgetResizeWindow::move(int index, const Geometry &geometry)
{
    QWidget *w = control(index);
    const auto left = pixels(geometry.left);
    const auto top = pixels(geometry.top);
    const auto width = pixels(geometry.width);
    const auto height = pixels(geometry.height);
    if (!w || !left || !top || !width || !height)
        return false;
    w->setGeometry(*left, *top, *width, *height);
    return true;
}

void WidgetResizeWindow::pinFontSizes()
{
    const int count = enumerateControls();
    for (int i = 0; i < count; ++i) {
        QWidget *w = control(i);
        if (!w)
            continue;
        QFont font = w->font();
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(font.pointSizeF());
            w->setFont(font);
        }
    }
}

} // namespace askbright
