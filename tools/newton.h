#pragma once

#include "ui/themecolours.h"

#include <QDialog>

class QLineEdit;

namespace zv {

class ErrorLabel;
struct NewtonOutcome;

// The Newton window ("Approximate"): one root of a typed function from a typed initial value,
// or the first fault in words. Opened modally.
class Newton : public QDialog
{
    Q_OBJECT

public:
    // functionText: the function of the active graph window, or empty when there is none.
    explicit Newton(const QString &functionText, QWidget *parent = nullptr);

    // The theme's colours, applied now and each time the window becomes active.
    void SetColours(const ThemeColours &colours);

    // A click in a plot: the graph's translated function f (used without a check) and the
    // clicked x0; fills the fields and runs the search from the unrounded x0.
    void Aprox(const QString &f, double x0);

    // Runs the search, as the Find button does.
    void Cmd_calcul_Click();
    // Empties the three fields; the error message stays on view.
    void Cmd_clear_Click();

private:
    void BuildControls();
    void Show(const NewtonOutcome &outcome);

    QLineEdit *m_txtF = nullptr;
    QLineEdit *m_txtX = nullptr;
    QLineEdit *m_txtVal = nullptr;
    ErrorLabel *m_lblEroare = nullptr;
};

} // namespace zv
