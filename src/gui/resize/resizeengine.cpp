#include "resize/resizeengine.h"

#include <QEvent>
#include <QWidget>

namespace askbright {

ResizeEngine::ResizeEngine(QWidget *container, QObject *parent)
    : QObject(parent), m_container(container), m_window(container), m_resize(m_window)
{
}

ResizeEngine *ResizeEngine::install(QWidget *container)
{
    auto *engine = new ResizeEngine(container, container);
    engine->recordWindow();
    engine->setFollowsResize(true);
    return engine;
}

void ResizeEngine::recordWindow()
{
    m_window.settleLayout();
    m_window.pinFontSizes();
    m_resize.recordWindow();
}

void ResizeEngine::setResizeOption(const QWidget *control, qint32 option,
                                   std::optional<bool> fontSizing)
{
    const QString key = m_window.keyOf(control);
    if (!key.isEmpty())
        m_resize.setResizeOption(key, option, fontSizing);
}

void ResizeEngine::recordFontSize(const QWidget *control)
{
    const QString key = m_window.keyOf(control);
    if (!key.isEmpty())
        m_resize.recordFontSize(key, float(control->font().pointSizeF()));
}

void ResizeEngine::followWindow()
{
    m_resize.followWindow();
}

void ResizeEngine::restoreRecordedLayout(bool restoreWindowSize)
{
    m_resize.restoreRecordedLayout(restoreWindowSize);
}

void ResizeEngine::setFollowsResize(bool on)
{
    if (!m_container || on == m_followsResize)
        return;
    m_followsResize = on;
    if (on)
        m_container->installEventFilter(this);
    else
        m_container->removeEventFilter(this);
}

bool ResizeEngine::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_container && event->type() == QEvent::Resize &&
        !m_container->window()->isMinimized())
        followWindow();
    return QObject::eventFilter(watched, event);
}

} // namespace askbright
