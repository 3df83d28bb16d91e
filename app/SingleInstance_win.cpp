#include "SingleInstance.h"

// A Windows section dies with the last process that holds it, so an attached
// segment always has a live owner.
bool IsOnlyAttachment(const QSharedMemory &)
{
    return false;
}
