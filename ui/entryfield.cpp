#include "ui/entryfield.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <utility>

namespace zv {

namespace {

bool IsEnter(const QEvent *event)
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    return !key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

// The window in which Enter last went down inside an entry field, until it is let go.
QPointer<QWidget> &EnterDownIn()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

EntryField::EntryField(QLineEdit *box)
    : QObject(box)
    , m_box(box)
{
    m_box->installEventFilter(this);
    connect(m_box, &QLineEdit::textChanged, this, &EntryField::TextChanged);
}

EntryField &EntryField::Attach(QLineEdit *box)
{
    return *new EntryField(box);
}

EntryField &EntryField::AsResult()
{
    m_box->setReadOnly(true);
    return *this;
}

EntryField &EntryField::Hint(const QString &hint)
{
    m_hint = hint;
    return *this;
}

EntryField &EntryField::Clears(std::vector<QLineEdit *> fields)
{
    m_clears = std::move(fields);
    return *this;
}

EntryField &EntryField::Hides(QWidget *label)
{
    m_hides = label;
    return *this;
}

EntryField &EntryField::OnEnter(std::function<void()> action)
{
    m_onEnter = std::move(action);
    return *this;
}

EntryField &EntryField::KeepSelectionOnFocus()
{
    m_selectAllOnFocus = false;
    return *this;
}

void EntryField::TextChanged(const QString &text)
{
    for (QLineEdit *field : m_clears)
        field->clear();
    if (m_hides != nullptr)
        m_hides->hide();
    if (!m_hint.isEmpty())
        m_box->setToolTip(text.size() > kHintLength ? text : m_hint);
}

bool EntryField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn: {
        // Coming back from another window or a context menu leaves the user's selection alone;
        // the first focus, as the window opens, is no coming back.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool comingBack = m_focusedBefore && (reason == Qt::ActiveWindowFocusReason ||
                                                    reason == Qt::PopupFocusReason);
        if (m_selectAllOnFocus && !comingBack)
            m_box->selectAll();
        m_focusedBefore = true;
        break;
    }
    case QEvent::KeyPress:
        if (IsEnter(event))
            EnterDownIn() = m_box->window();
        break;
    case QEvent::KeyRelease:
        if (IsEnter(event) && EnterDownIn() == m_box->window()) {
            EnterDownIn() = nullptr;
            if (m_onEnter)
                m_onEnter();
        }
        break;
    default:
        break;
    }
    return false;
}

void FocusWithCaret(QLineEdit *field, int caret)
{
    field->setFocus(Qt::OtherFocusReason);
    field->setCursorPosition(caret);
}

std::function<void()> FocusEmptyFieldElse(QLineEdit *field, std::function<void()> calculate)
{
    return [field, calculate = std::move(calculate)] {
        if (field->text().isEmpty())
            field->setFocus(Qt::OtherFocusReason);
        else
            calculate();
    };
}

} // namespace zv
