#include "ui/palettekeeper.h"

#include "ui/themepalette.h"

#include <QApplication>
#include <QEvent>
#include <QScopedValueRollback>
#include <utility>

namespace zv {

namespace {

class PaletteKeeper : public QObject
{
public:
    PaletteKeeper(QObject *owner, std::function<void()> changed)
        : QObject(owner)
        , m_changed(std::move(changed))
    {
        qApp->installEventFilter(this);
        Refresh();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange && !m_busy) {
            Refresh();
            if (m_changed)
                m_changed();
        }
        return false;
    }

private:
    void Refresh()
    {
        // Setting the palette sends the same event again: it is ours.
        const QScopedValueRollback busy(m_busy, true);
        QPalette current = QGuiApplication::palette();
        // With only the colours this keeper set, the desktop's own may have changed beneath
        // them (light to dark): they are taken back first, so that its new ones show. A
        // palette someone else set is taken as it is.
        if (m_setRoles != 0 && current.resolveMask() == m_setRoles) {
            QApplication::setPalette(QPalette());
            current = QGuiApplication::palette();
        }
        const bool desktops = current.resolveMask() == 0;
        m_setRoles = 0;
        const QPalette readable = ReadablePalette(current);
        if (readable == current)
            return;
        QApplication::setPalette(readable);
        if (desktops)
            m_setRoles = QGuiApplication::palette().resolveMask();
    }

    std::function<void()> m_changed;
    QPalette::ResolveMask m_setRoles = 0; // the roles set here, while nobody else set any
    bool m_busy = false;
};

} // namespace

void KeepPaletteReadable(QObject *owner, std::function<void()> changed)
{
    new PaletteKeeper(owner, std::move(changed));
}

} // namespace zv
