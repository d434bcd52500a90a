#pragma once

#include <QLabel>

namespace zv {

// A label that acts as a link: underlined in whatever font it is given, a pointing hand over it,
// clicked with the left mouse button.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void changeEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace zv
