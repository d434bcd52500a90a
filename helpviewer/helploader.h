#pragma once

#include "helpviewer/helpbook.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace zv {

class ChmReading;

// Reads a help file while the program goes on: the reading child's output is taken whenever
// it comes, and a timer holds the reader's time limit, so no window waits on it. Deleting the
// loader gives the reading up and ends the child.
class HelpLoader : public QObject
{
    Q_OBJECT

public:
    // Starts reading path for the window definition windowName; done gets the book once, from
    // the event loop (never from inside the constructor).
    HelpLoader(const std::string &path, std::string windowName, std::function<void(HelpBook)> done,
               QObject *parent = nullptr);
    ~HelpLoader() override;

private:
    void Take();
    void End();

    std::unique_ptr<ChmReading> m_reading;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_limit;
    std::string m_windowName;
    std::function<void(HelpBook)> m_done;
};

} // namespace zv
