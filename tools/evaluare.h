#pragma once

#include "ui/themecolours.h"

#include <QDialog>

class QLineEdit;

namespace zv {

class ErrorLabel;

// The Evaluate window: f(x0) and f'(x0) for a typed function and point, or the first fault in
// words under the fields. Opened modally; it changes nothing outside itself.
class Evaluare : public QDialog
{
    Q_OBJECT

public:
    // functionText: the function of the active graph window, or empty when there is none.
    explicit Evaluare(const QString &functionText, QWidget *parent = nullptr);

    // The theme's colours, applied now and each time the window becomes active.
    void SetColours(const ThemeColours &colours);

    // Runs the calculation, as the Calculate button does.
    void Cmd_calcul_Click();
    // Empties the four fields; the error message stays on view.
    void Cmd_clear_Click();

private:
    void BuildControls();

    QLineEdit *m_txtF = nullptr;
    QLineEdit *m_txtX = nullptr;
    QLineEdit *m_txtVal = nullptr;
    QLineEdit *m_txtDer = nullptr;
    ErrorLabel *m_lblEroare = nullptr;
};

} // namespace zv
