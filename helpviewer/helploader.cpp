#include "helpviewer/helploader.h"

#include "helpviewer/chmreader.h"

#include <QSocketNotifier>
#include <utility>

namespace zv {

HelpLoader::HelpLoader(const std::string &path, std::string windowName,
                       std::function<void(HelpBook)> done, QObject *parent)
    : QObject(parent)
    , m_reading(std::make_unique<ChmReading>(path))
    , m_windowName(std::move(windowName))
    , m_done(std::move(done))
{
    if (m_reading->fd() < 0) {
        // Known at once (no file, or damage found before any child): still from the event
        // loop, as the caller expects.
        QMetaObject::invokeMethod(this, &HelpLoader::End, Qt::QueuedConnection);
        return;
    }
    m_notifier = new QSocketNotifier(m_reading->fd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &HelpLoader::Take);
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &HelpLoader::End);
    m_limit.start(kChmReadTimeLimit);
}

HelpLoader::~HelpLoader()
{
    // The notifier goes before the pipe it watches is closed.
    delete m_notifier;
}

void HelpLoader::Take()
{
    if (m_reading->Receive())
        End();
}

void HelpLoader::End()
{
    if (!m_done)
        return;
    delete m_notifier;
    m_notifier = nullptr;
    m_limit.stop();
    ChmArchive archive;
    const ChmReadStatus status = m_reading->Finish(archive);
    m_reading.reset();
    auto done = std::exchange(m_done, nullptr);
    done(DescribeHelpBook(std::move(archive), status, m_windowName));
}

} // namespace zv
