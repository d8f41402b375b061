// SPDX-License-Identifier: GPL-3.0-or-later
// The floors for Kestrune's start-up: the toolkit alone showing one empty main window with the
// size of Kestrune's main window (its 601 x 488 client area under a menu bar), and nothing else.
// With --text it also shows one caption in Kestrune's window font and one menu: the floor for a
// window that draws any text, which pays for the same font machinery as Kestrune. bench/startup.cpp
// starts it beside kestrune and compares the time to the first paint and the memory.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    // An empty menu bar: it takes the height of a bar of menus, so the window has Kestrune's
    // size, but holds nothing to draw.
    window.menuBar();
    auto *client = new QWidget(&window);
    client->setFixedSize(601, 488);
    window.setCentralWidget(client);
    if (QCoreApplication::arguments().contains(QStringLiteral("--text"))) {
        auto *caption = new QLabel(QStringLiteral("Escalator Rated Load"), client);
        QFont font;
        font.setFamilies({ QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
            QStringLiteral("DejaVu Sans") });
        font.setPointSizeF(9.75);
        font.setBold(true);
        caption->setFont(font);
        caption->setGeometry(212, 0, 177, 25);
        window.menuBar()->addMenu(QStringLiteral("&Print"));
    }
    window.show();
    return app.exec();
}
