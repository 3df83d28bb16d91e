// Address acceptance, consecutive addresses, and password strength: the
// panel's pure rules.
#include <QSet>
#include <QTest>

#include "panel/AddressValidation.h"
#include "panel/NetworkAddressing.h"
#include "panel/PasswordStrength.h"

class TestAddressRules : public QObject
{
    Q_OBJECT

private slots:
    void ipv4_data();
    void ipv4();
    void gateway_data();
    void gateway();
    void subnetMask_data();
    void subnetMask();
    void everyMaskPrefixIsAccepted();
    void ipv6_data();
    void ipv6();
    void nextIpAddress_data();
    void nextIpAddress();
    void nextIpAddressGivesDistinctValidAddresses();
    void passwordStrength_data();
    void passwordStrength();
};

void TestAddressRules::ipv4_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("host") << "192.168.1.64" << true;
    QTest::newRow("network address") << "192.168.1.0" << false;
    QTest::newRow("all zero") << "0.0.0.0" << false;
    QTest::newRow("leading zeros") << "192.168.001.010" << true;
    QTest::newRow("broadcast") << "255.255.255.255" << true;
    QTest::newRow("zero first parts") << "0.0.0.1" << true;
    QTest::newRow("three parts") << "192.168.1" << false;
    QTest::newRow("trailing dot") << "192.168.1.1." << false;
    QTest::newRow("256") << "256.1.1.1" << false;
    QTest::newRow("empty part") << "1..2.3" << false;
    QTest::newRow("empty") << "" << false;
    // The number conversion alone would take these; a device would get them as text.
    QTest::newRow("sign") << "1.2.3.+4" << false;
    QTest::newRow("inner space") << "1.2. 3.4" << false;
    QTest::newRow("hex") << "1.2.3.0x4" << false;
    QTest::newRow("five parts") << "1.2.3.4.5" << false;
    QTest::newRow("huge number") << "1.2.3.4294967297" << false;
    QTest::newRow("letters") << "a.b.c.d" << false;
}

void TestAddressRules::ipv4()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidIPv4Address(text), valid);
}

void TestAddressRules::gateway_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("no gateway") << "0.0.0.0" << true;
    QTest::newRow("network address") << "10.0.0.0" << false;
    QTest::newRow("host") << "10.0.0.1" << true;
    QTest::newRow("zeros written long") << "00.0.0.0" << false;
    QTest::newRow("three parts") << "0.0.0" << false;
}

void TestAddressRules::gateway()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidGateway(text), valid);
}

void TestAddressRules::subnetMask_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("/24") << "255.255.255.0" << true;
    QTest::newRow("/31") << "255.255.255.254" << true;
    QTest::newRow("/0") << "0.0.0.0" << true;
    QTest::newRow("/1") << "128.0.0.0" << true;
    QTest::newRow("/32") << "255.255.255.255" << false;
    QTest::newRow("holes") << "255.0.255.0" << false;
    QTest::newRow("leading zeros") << "255.255.255.000" << false;
    QTest::newRow("trailing space") << "255.255.255.0 " << false;
    QTest::newRow("prefix of a mask") << "255.255.255" << false;
    QTest::newRow("mask plus text") << "255.255.255.0x" << false;
    QTest::newRow("not contiguous") << "255.255.253.0" << false;
}

void TestAddressRules::subnetMask()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidSubnetMask(text), valid);
}

void TestAddressRules::everyMaskPrefixIsAccepted()
{
    for (int prefix = 0; prefix <= 32; ++prefix) {
        const quint32 mask = prefix == 0 ? 0 : ~quint32(0) << (32 - prefix);
        const QString text = QStringLiteral("%1.%2.%3.%4")
                                 .arg(mask >> 24).arg((mask >> 16) & 0xff).arg((mask >> 8) & 0xff).arg(mask & 0xff);
        QCOMPARE(IsValidSubnetMask(text), prefix < 32);
    }
}

void TestAddressRules::ipv6_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    for (const char *ok : {"::", "::1", "1::", "fe80::1%3", "2001:db8:0:0:0:0:0:1", "::ffff:192.168.1.1",
                           "1:2:3:4:5:6:1.2.3.4", "FFFF::ffff", "fe80::1%eth0"})
        QTest::newRow(ok) << QString::fromLatin1(ok) << true;
    for (const char *bad : {"1:2:3:4:5:6:7", "1::2::3", ":::", "1:2:3:4:5:6:7:8:9", "a:b", ":1:2:3:4:5:6:7",
                            "1:2:3:4:5:6:7:", "1ffff::1", "g::1", "::1.2.3.0", "", "%1", "1.2.3.4::",
                            "1::2:3:4:5:6:7:8",
                            // more than eight parts, even where "::" stands for one group
                            "1:2:3:4:5:6:7::", "::2:3:4:5:6:7:8",
                            // only the text after the last "%" is the zone
                            "fe80::1%eth0%1",
                            // signs, prefixes and spaces are not hex digits
                            "0x1::1", "+1::1", " 1::1"})
        QTest::newRow(*bad ? bad : "empty") << QString::fromLatin1(bad) << false;
}

void TestAddressRules::ipv6()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidIPv6Address(text), valid);
}

void TestAddressRules::nextIpAddress_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << "192.168.1.10" << 0 << "192.168.1.10";
    QTest::newRow("second") << "192.168.1.10" << 1 << "192.168.1.11";
    QTest::newRow("third") << "192.168.1.10" << 2 << "192.168.1.12";
    QTest::newRow("fourth rewritten in decimal") << "192.168.001.010" << 0 << "192.168.001.10";
    QTest::newRow("up to 255") << "192.168.1.250" << 5 << "192.168.1.255";
    QTest::newRow("carry into third") << "192.168.1.250" << 6 << "192.168.2.1";
    QTest::newRow("end of the next run") << "192.168.1.250" << 260 << "192.168.2.255";
    QTest::newRow("carry further") << "192.168.1.250" << 261 << "192.168.3.1";
    QTest::newRow("carry into second") << "10.0.255.255" << 1 << "10.1.0.1";
    QTest::newRow("carry into first") << "10.255.255.255" << 1 << "11.0.0.1";
    QTest::newRow("end of address space") << "255.255.255.255" << 1 << QString();
    QTest::newRow("just fits") << "255.255.255.250" << 5 << "255.255.255.255";
}

void TestAddressRules::nextIpAddress()
{
    QFETCH(QString, base);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(NextIpAddress(base, n), expected);
}

void TestAddressRules::nextIpAddressGivesDistinctValidAddresses()
{
    QSet<QString> seen;
    for (int n = 0; n < 2000; ++n) {
        const QString address = NextIpAddress(QStringLiteral("172.16.3.200"), n);
        QVERIFY2(IsValidIPv4Address(address), qPrintable(address));
        QVERIFY2(!seen.contains(address), qPrintable(address));
        seen.insert(address);
    }
}

void TestAddressRules::passwordStrength_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("level");
    QTest::newRow("seven of all kinds") << "aA1!bB2" << 0;
    QTest::newRow("eight lower") << "abcdefgh" << 0;
    QTest::newRow("eight digits") << "12345678" << 0;
    QTest::newRow("lower and digits") << "abcd1234" << 1;
    QTest::newRow("upper and digits") << "ABCD1234" << 1;
    QTest::newRow("lower and upper") << "abcdEFGH" << 2;
    QTest::newRow("lower and special") << "abcd!@#$" << 2;
    QTest::newRow("digits and special") << "1234!@#$" << 2;
    QTest::newRow("upper, lower, digits") << "abcDEF12" << 3;
    QTest::newRow("lower, digits, special") << "abcd12!@" << 3;
    QTest::newRow("sixteen of all kinds") << "aB3$aB3$aB3$aB3$" << 3;
    QTest::newRow("non-Latin-1 counts as special") << QString::fromUtf8("abcdefg\xe4\xb8\xad") << 2;
    QTest::newRow("space is special") << "abcd efg" << 2;
}

void TestAddressRules::passwordStrength()
{
    QFETCH(QString, password);
    QFETCH(int, level);
    QCOMPARE(PasswordStrength(password), level);
}

QTEST_GUILESS_MAIN(TestAddressRules)
#include "tst_address_rules.moc"
