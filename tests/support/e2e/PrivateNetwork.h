// Puts the whole test process into a network namespace of its own, so that
// nothing the library or the device agents send can leave this machine.
#pragma once

#include <QString>

namespace e2e {

// Moves this process into a fresh network namespace whose loopback carries
// multicast, and pins the discovery library and the agents to it. Call first
// thing in main(), before any thread exists. False (with the reason) when not
// root or when the namespace cannot be made.
bool EnterPrivateNetwork(QString *why);

// Whether EnterPrivateNetwork succeeded, and why not.
bool InPrivateNetwork();
QString PrivateNetworkProblem();

// Runs a shell command in the private network; true when it succeeded.
bool RunInPrivateNetwork(const QString &command);

// Drops this share of the UDP datagrams arriving at any socket of the
// private network, in both directions; 0 takes the loss away again.
bool SetPacketLoss(int percent);

} // namespace e2e

// main() of an end-to-end test: isolates the process before Qt starts.
#define E2E_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char **argv)                                                                                \
    {                                                                                                              \
        QString why;                                                                                               \
        e2e::EnterPrivateNetwork(&why);                                                                            \
        QApplication app(argc, argv);                                                                              \
        TestClass tc;                                                                                              \
        return QTest::qExec(&tc, argc, argv);                                                                      \
    }

// First statement of every test function that sends anything.
#define E2E_REQUIRE_PRIVATE_NETWORK()                                                                              \
    do {                                                                                                           \
        if (!e2e::InPrivateNetwork()) {                                                                            \
            if (geteuid() != 0)                                                                                    \
                QSKIP("end-to-end tests need root for a private network namespace");                               \
            QFAIL(qPrintable(e2e::PrivateNetworkProblem()));                                                       \
        }                                                                                                          \
    } while (0)
