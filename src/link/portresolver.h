#pragma once

#include <QString>
#include <QStringList>

namespace n35
{

// Turns the menu's port numbers 1..16 into devices.
//
// On Windows "COMn" is the system's COMn. Elsewhere a number is first looked up as a link "comN" in the
// link directory (com5 -> /dev/ttyUSB0, the convention Windows compatibility layers use; the emulator
// binds its pty the same way); numbers without a link take the serial devices found on the system in a
// stable order, USB cables first, so that a single USB cable is COM1 without editing anything.
class PortResolver
{
public:
    static constexpr int PortCount = 16;

    PortResolver();

    static QString defaultLinkDirectory();
    void setLinkDirectory(const QString &directory) { links = directory; }
    QString linkDirectory() const { return links; }

    // The devices found on the system, in the order unlinked numbers take them. Overridable for tests.
    void setSystemDevices(const QStringList &devices);
    QStringList systemDevices() const;

    // The device that port number opens; empty when nothing is bound to it.
    QString deviceFor(int portNumber) const;
    // Beside each menu item: what it opens, or "not connected".
    QString describe(int portNumber) const;
    // The same for COM1..COM16 with one look at the system's devices (a look takes a noticeable time).
    QStringList describeAll() const;

private:
    // The devices of COM1..COM16 in order; empty where nothing is bound.
    QStringList devices() const;

    QString links;
    QStringList fixedDevices;
    bool fixed = false;
};

// The order unlinked numbers take devices: USB serial (ttyUSB, ttyACM) first, then the rest; within a
// group by name with numbers compared as numbers (ttyUSB2 before ttyUSB10).
QStringList SortSerialDevices(QStringList devices);

} // namespace n35
