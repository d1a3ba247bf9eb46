// Test entry for subsystems without widgets: a QCoreApplication is enough.
#include "main/TestRun.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return cantorel::testing::runSelectedTests();
}
