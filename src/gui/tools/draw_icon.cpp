// Build step: draws the application icon file.
#include "gui/app/icons.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane_draw_icon OUTPUT.ico\n");
        return 2;
    }
    if (!corvane::gui::Icons::WriteApplicationIcon(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
