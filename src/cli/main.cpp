#include "cli/DatCommands.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return quorvan::dat::run(QCoreApplication::arguments().mid(1), stdout, stderr);
}
