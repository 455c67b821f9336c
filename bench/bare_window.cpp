// The bare Qt window the program's start-up is measured against: a
// QMainWindow with one menu and a QPlainTextEdit, shown at the size of the
// program's main window, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    window.setCentralWidget(new QPlainTextEdit);
    // The main window's design size: 10215 x 7185 twips of client area at
    // 15 twips a pixel, with the menu bar on top.
    window.resize(681, 479 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
