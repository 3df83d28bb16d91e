// Devices the host knows of itself, handed to the tool from a worker thread
// as the discovery library would report them.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include <QObject>

#include <Vrel.h>

class DeviceFeeder : public QObject
{
    Q_OBJECT

public:
    using Sink = std::function<void(const VREL_CALLBACK_RECORD &)>;

    explicit DeviceFeeder(Sink sink, QObject *parent = nullptr);
    // Stops the pass that is running and waits for its thread.
    ~DeviceFeeder() override;

    // Reports devices 1..count with the event (found or gone), one every
    // intervalMs, on a thread of its own. A pass still running is stopped first.
    void Run(int count, int event, int intervalMs);
    void Stop();

    // The host's device n as a record of the discovery library.
    static VREL_CALLBACK_RECORD MakeRecord(int n, int event);

signals:
    // Emitted on the worker thread; reaches receivers on their own thread.
    void RecordFed(const QString &line);

private:
    Sink m_sink;
    std::thread m_worker;
    std::atomic<bool> m_bStop{false};
};
