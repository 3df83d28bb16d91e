#include <atomic>
#include <thread>

#include <QTest>

#include <zenu.h>

class TestZenu : public QObject
{
    Q_OBJECT

private slots:
    void mutexKeepsThreadsApart_data();
    void mutexKeepsThreadsApart();
    void lockedMutexMakesOtherThreadWait();
    void recursiveMutexRelocksOnOwningThread();
    void nullArgumentsAreRefused();
    void loadDso();
    void semaphoreCountsAndTimesOut();
    void classMutexAndGuardedAssignment();
};

void TestZenu::mutexKeepsThreadsApart_data()
{
    QTest::addColumn<int>("flag");
    QTest::newRow("plain") << 0;
    QTest::newRow("recursive") << int(ZENU_MUTEX_RECURSIVE);
}

void TestZenu::mutexKeepsThreadsApart()
{
    QFETCH(int, flag);
    ZENU_MUTEX mutex = nullptr;
    QCOMPARE(Zenu_MutexCreate(&mutex, flag), 0);

    // A read-modify-write with a yield in the middle loses updates unless the
    // mutex really keeps the threads apart.
    volatile long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            Zenu_MutexLock(&mutex);
            const long seen = counter;
            if ((i & 255) == 0)
                std::this_thread::yield();
            counter = seen + 1;
            Zenu_MutexUnlock(&mutex);
        }
    };
    std::thread a(work), b(work), c(work);
    a.join();
    b.join();
    c.join();
    QCOMPARE(long(counter), 60000L);
    QCOMPARE(Zenu_MutexDestroy(&mutex), 0);
    QVERIFY(mutex == nullptr);
}

void TestZenu::lockedMutexMakesOtherThreadWait()
{
    ZENU_MUTEX mutex = nullptr;
    Zenu_MutexCreate(&mutex, ZENU_MUTEX_RECURSIVE);
    Zenu_MutexLock(&mutex);
    std::atomic<bool> entered{false};
    std::thread other([&] {
        Zenu_MutexLock(&mutex);
        entered = true;
        Zenu_MutexUnlock(&mutex);
    });
    QTest::qWait(100);
    QVERIFY(!entered);
    Zenu_MutexUnlock(&mutex);
    other.join();
    QVERIFY(entered);
    Zenu_MutexDestroy(&mutex);
}

void TestZenu::recursiveMutexRelocksOnOwningThread()
{
    ZENU_MUTEX mutex = nullptr;
    Zenu_MutexCreate(&mutex, ZENU_MUTEX_RECURSIVE);
    QCOMPARE(Zenu_MutexLock(&mutex), 0);
    QCOMPARE(Zenu_MutexLock(&mutex), 0);
    QCOMPARE(Zenu_MutexUnlock(&mutex), 0);
    std::atomic<bool> entered{false};
    std::thread other([&] {
        Zenu_MutexLock(&mutex);
        entered = true;
        Zenu_MutexUnlock(&mutex);
    });
    QTest::qWait(50);
    QVERIFY2(!entered, "one unlock of two must not release the mutex");
    Zenu_MutexUnlock(&mutex);
    other.join();
    QVERIFY(entered);
    Zenu_MutexDestroy(&mutex);
}

void TestZenu::nullArgumentsAreRefused()
{
    ZENU_MUTEX none = nullptr;
    QCOMPARE(Zenu_MutexCreate(nullptr, -1), -1);
    QCOMPARE(Zenu_MutexLock(nullptr), -1);
    QCOMPARE(Zenu_MutexLock(&none), -1);
    QCOMPARE(Zenu_MutexUnlock(&none), -1);
    QCOMPARE(Zenu_MutexDestroy(&none), -1);
}

void TestZenu::loadDso()
{
    QVERIFY(Zenu_LoadDSo("libc.so.6") != nullptr);
    QVERIFY(Zenu_LoadDSo("libvrel-no-such-library.so") == nullptr);
    QVERIFY(Zenu_LoadDSo(nullptr) == nullptr);
    QVERIFY(Zenu_LoadDSo("") == nullptr);
}

void TestZenu::semaphoreCountsAndTimesOut()
{
    Zenu_Sema sema(1);
    QCOMPARE(sema.TryWait(), 0);
    QCOMPARE(sema.TryWait(), -1);
    QCOMPARE(sema.Wait(20), -1);
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sema.Post();
    });
    QCOMPARE(sema.Wait(5000), 0);
    poster.join();
}

void TestZenu::classMutexAndGuardedAssignment()
{
    Zenu_Mutex a;
    Zenu_Mutex b;
    QCOMPARE(a.Lock(), 0);
    b = a;   // a lock is not a value: b stays free
    std::atomic<bool> took{false};
    std::thread other([&] {
        b.Lock();
        took = true;
        b.Unlock();
    });
    other.join();
    QVERIFY(took);
    QCOMPARE(a.Unlock(), 0);
}

QTEST_GUILESS_MAIN(TestZenu)
#include "tst_zenu.moc"
