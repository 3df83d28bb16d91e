#include "SingleInstance.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <QFile>
#include <QSharedMemory>

// System V segments outlive a process that is killed; the kernel still counts
// who is attached, so a count of one means only we are.
bool IsOnlyAttachment(const QSharedMemory &memory)
{
    // Qt derives the segment's System V key from its native key file with 'Q'.
    const key_t key = ftok(QFile::encodeName(memory.nativeKey()).constData(), 'Q');
    if (key == -1)
        return false;
    const int id = shmget(key, 0, 0400);
    if (id == -1)
        return false;
    struct shmid_ds info {};
    if (shmctl(id, IPC_STAT, &info) != 0)
        return false;
    return info.shm_nattch == 1;
}
