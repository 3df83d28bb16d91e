// Recognises a single-instance segment that no running instance holds.
#pragma once

class QSharedMemory;

// memory is attached. True when this process is its only user, that is the
// instance that made it has gone without removing it (killed or crashed).
bool IsOnlyAttachment(const QSharedMemory &memory);
