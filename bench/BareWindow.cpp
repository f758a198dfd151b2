// The smallest Qt Widgets program with a window the size of Marrowvale's:
// what start-up costs before the program adds anything of its own. With
// --line-edit it holds one empty line edit, which lays out its text as it is
// built and so loads the fonts before the window can appear.
#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    if (argc > 1 && std::strcmp(argv[1], "--line-edit") == 0)
        (new QLineEdit(&window))->setGeometry(24, 24, 145, 24);
    window.resize(225, 163);
    window.show();
    return QApplication::exec();
}
