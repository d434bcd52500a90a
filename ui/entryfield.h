#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace zv {

// The behaviour the text boxes of the tool windows share, so that stale output never stays
// beside a changed input and long expressions stay readable:
// - every change of the text (typed or set by the program) first empties or hides the
//   field's clearing set, then sets the tool tip: the whole text once it is longer than
//   kHintLength UTF-16 units, the default hint otherwise;
// - the focus, when it arrives by keyboard, by the program or with the opening window, selects
//   the whole text (coming back from another window or a menu leaves the selection alone);
// - letting go of Enter runs the field's action, provided the key went down in a field of the
//   same window (a press that opened the window, or pressed a button, is not the user's
//   request to calculate).
// Made with Attach and set up with the chained setters; it belongs to its box.
class EntryField : public QObject
{
public:
    static constexpr int kHintLength = 20;

    // An input field with no hint, no clearing set, no Enter action, selecting on focus.
    static EntryField &Attach(QLineEdit *box);

    EntryField &AsResult(); // read-only: the program writes it
    EntryField &Hint(const QString &hint);
    EntryField &Clears(std::vector<QLineEdit *> fields); // emptied in this order
    EntryField &Hides(QWidget *label);
    EntryField &OnEnter(std::function<void()> action);
    EntryField &KeepSelectionOnFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit EntryField(QLineEdit *box);
    void TextChanged(const QString &text);

    QLineEdit *m_box;
    QString m_hint; // empty: no hint rule
    std::vector<QLineEdit *> m_clears;
    QWidget *m_hides = nullptr;
    std::function<void()> m_onEnter;
    bool m_selectAllOnFocus = true;
    bool m_focusedBefore = false;
};

// Puts the focus into a field at fault with the caret at caret (0-based), right before the
// faulty token: the focus selects the whole text, the caret placed after it wins.
void FocusWithCaret(QLineEdit *field, int caret);

// The Enter action "focus to the point field when it is empty, else calculate".
std::function<void()> FocusEmptyFieldElse(QLineEdit *field, std::function<void()> calculate);

} // namespace zv
