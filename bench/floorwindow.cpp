// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// floorwindow: the least a Qt window with an editor costs, the yardstick of the program's
// start-up time and memory at rest: a main window holding a plain text editor, nothing more.

#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QPlainTextEdit);
    window.show();
    return app.exec();
}
