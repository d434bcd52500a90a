#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace zv {

class HelpWindow;

// The program's one help viewer over one compiled help file: a window of its own, not modal,
// that stays open beside the program. The window opens at the first request and reads the file
// while the program goes on; every request after that reuses the window (it is made again, and
// the file read again, only after it was closed).
class HelpViewer : public QObject
{
    Q_OBJECT

public:
    explicit HelpViewer(QString helpFile, QObject *parent = nullptr);
    ~HelpViewer() override;

    // windowName names the window definition inside the help file (the program passes "win");
    // window is the one that asked, and the viewer opens beside it the first time.
    void ShowHelpContents(const QString &windowName, QWidget *window = nullptr);
    void ShowHelpIndex(const QString &windowName, QWidget *window = nullptr);
    // Opens the contents first, then the topic's page, in the same window.
    void ShowHelpTopic(const QString &windowName, const QString &topic, QWidget *window = nullptr);

    // The viewer's window while it is open, else nullptr.
    HelpWindow *window() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    HelpWindow *Window(const QString &windowName, QWidget *caller);
    void Present();
    void StandBeside(QWidget *modal);

    QString m_helpFile;
    QPointer<HelpWindow> m_window;
    QPointer<QWidget> m_modal; // the modal window the viewer stands beside, while it is up
};

} // namespace zv
