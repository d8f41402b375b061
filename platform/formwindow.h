// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What both of Kestrune's windows are: a window of fixed layout whose client area, measured in
// twips, holds controls at absolute positions. It opens centred on its screen, keeps its focus
// and keyboard rules in one Form, shows its messages through the window's Services, and says
// when it has been closed.

#include <QList>
#include <QMainWindow>

namespace kestrune {

class Form;
class Services;
class TextBox;
struct Message;

class FormWindow : public QMainWindow {
    Q_OBJECT
public:
    ~FormWindow() override;

    Form &form() const { return *m_form; }

Q_SIGNALS:
    // The window was closed (its close box, or a command of its own).
    void closed();

protected:
    // The title bar reads `title`, `blanks` blanks and the maker's web address.
    FormWindow(Services &services, const char *name, const QString &title, int blanks,
        int widthTwips, int heightTwips);

    QWidget *client() const { return centralWidget(); }
    Services &services() const { return m_services; }

    // A modal message box over this window.
    void tell(const Message &message);

    // Each of `boxes` selects its whole text when it gains the focus, so that typing replaces it.
    void selectTextOnFocus(const QList<TextBox *> &boxes);

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Services &m_services;
    Form *m_form;
    bool m_centred = false;
};

} // namespace kestrune
