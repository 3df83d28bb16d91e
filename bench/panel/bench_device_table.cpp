// Drives the device table's handlers on the GUI thread with a large fleet:
// 5,000 found, then 5,000 changed, then 1,000 gone events. Prints the time of
// each phase and the peak memory.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_device_table [devices] [gone]
#include <cstdio>

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include "TestRecords.h"
#include "discovery/DiscoveryCallback.h"
#include "discovery/QtVrelItemModel.h"
#include "panel/QtVrel.h"

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

template<typename F>
double phase(const char *name, int count, F &&run)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i)
        run(i);
    QCoreApplication::processEvents();   // let the view catch up, as it would
    const double ms = timer.nsecsElapsed() / 1e6;
    printf("%-8s %6d events  %9.1f ms  %8.2f us/event  peak RSS %ld KiB\n", name, count, ms,
           ms * 1000.0 / count, peakKiB());
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("VREL_PACKET_LIBRARY", "libc.so.6");
    QApplication app(argc, argv);
    const int devices = argc > 1 ? atoi(argv[1]) : 5000;
    const int gone = argc > 2 ? atoi(argv[2]) : 1000;
    // The handlers write a debug line per event; keep the figures about the table.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    auto *owner = new QtVrel;
    QtVrel &panel = *owner;
    panel.resize(1280, 900);
    panel.show();
    QCoreApplication::processEvents();
    printf("start    peak RSS %ld KiB\n", peakKiB());

    phase("found", devices, [](int i) {
        const VREL_CALLBACK_RECORD r = MakeRecord(FleetDevice(i), VREL_EVENT_FOUND);
        DiscoveryCallback(&r, nullptr);
    });
    phase("changed", devices, [](int i) {
        TestDevice d = FleetDevice(i);
        d.ipv4 = "172.16.0.1";
        d.dhcp = 1;
        const VREL_CALLBACK_RECORD r = MakeRecord(d, VREL_EVENT_CHANGED);
        DiscoveryCallback(&r, nullptr);
    });
    // Gone events spread over the table, not only at its end.
    phase("gone", gone, [devices](int i) {
        const VREL_CALLBACK_RECORD r = MakeRecord(FleetDevice((i * 7919) % devices), VREL_EVENT_GONE);
        DiscoveryCallback(&r, nullptr);
    });
    printf("rows left %d, list entries %lld\n", panel.Model() ? int(panel.Model()->rowCount()) : -1,
           static_cast<long long>(panel.DeviceList().size()));
    QElapsedTimer closing;
    closing.start();
    delete owner;
    printf("close    %9.1f ms\n", closing.nsecsElapsed() / 1e6);
    return 0;
}
