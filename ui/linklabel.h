#pragma once

#include <QLabel>

namespace zv {

// A label that acts as a link: underlined in whatever font it is given, a pointing hand over it,
// clicked with the left mouse button, or reached with Tab and pressed with Enter or Space; with
// the focus it is framed in its text colour.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace zv
