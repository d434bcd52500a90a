#pragma once

#include "ui/graphequation.h"
#include "ui/themecolours.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace zv {

// The wizard: four pages that lead to an equation f(x) = 0 and an interval, checked on the
// way, and end by handing them out through finished(). Not modal; it lives as a child window
// of the main window.
class XPert : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kFirstPage = 0;
    static constexpr int kLastPage = 3;

    explicit XPert(QWidget *parent = nullptr);

    // The theme's colours, applied now and each time the window becomes active.
    void SetColours(const ThemeColours &colours);

    // Closes the wizard without its exit question (the program closes it).
    void CloseWithoutQuestion();

    int CurrentPage() const { return m_currentPage; }

signals:
    // "Finished": the equation and interval that the wizard's own pages last checked.
    void finished(const GraphEquation &equation);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildControls();
    QWidget *BuildPage(int page);
    void InitPages();
    void ShowPage(int page);
    bool CheckPage(int page); // true when the page fails its check
    void Page_Click(int index);
    void FinishWizard();
    void CancelWizard();
    bool AskToExit();
    QPushButton *DefaultButton() const;

    int m_currentPage = kFirstPage;
    bool m_atLastPage = false;
    bool m_closingQuietly = false;
    GraphEquation m_equation; // as the equation and interval pages last passed their checks

    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_txtFx = nullptr;
    QLineEdit *m_txtA = nullptr;
    QLineEdit *m_txtB = nullptr;
    QLabel *m_lblEroare = nullptr;
    QLabel *m_lblEroare2 = nullptr;
    QLabel *m_lblDer = nullptr;
    std::array<QPushButton *, 2> m_page{}; // "< &Back", "&Next >"
    QPushButton *m_cmdFinish = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

} // namespace zv
