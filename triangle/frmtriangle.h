// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// frmTriangle, the right-angled triangle window: a reference card of the trigonometric functions
// and a solver with nine rows, opened beside the main window from its menu.

#include <QWidget>

namespace kestrune {

class Form;
class Services;

class frmTriangle : public QWidget {
    Q_OBJECT
public:
    explicit frmTriangle(Services &services, QWidget *parent = nullptr);
    ~frmTriangle() override;

    Form &form() const { return *m_form; }

Q_SIGNALS:
    // The window was closed by the close box of its frame.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Services &m_services;
    Form *m_form = nullptr;
    bool m_centred = false;
};

} // namespace kestrune
