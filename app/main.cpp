#include <QString>

#include "app/VrelMain.h"

int main(int argc, char *argv[])
{
    return VrelMain(argc, argv, QStringLiteral("VREL"));
}
