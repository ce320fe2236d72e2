// The unit-side safety of a write, for every front end: reading a unit's 87
// registers as they stand (a backup, a read-back), comparing a unit with what
// was written, and naming a unit for its backup.
#pragma once

#include "config/RegisterStore.h"
#include "journal/Journal.h"
#include "unit/LinkApi.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class SerialDeviceFinder;

// Connects and reads all 87 registers into image; any failure stops the read
// and returns false (the link says why). Unlike Transfer from unit, a
// register that cannot be read is never taken as empty.
bool readUnitImage(LinkApi& link, int32_t handle, QByteArray& image);

RegisterStore storeFromImage(const QByteArray& image);

// What a unit holds against what was written into it.
struct UnitComparison {
    QStringList registers; // the numbers of the registers whose slots differ
    QStringList fields;    // the fields that read otherwise, by their names for people
    bool same() const { return registers.isEmpty(); }
};
UnitComparison compareWithUnit(const RegisterStore& written, const RegisterStore& unit);

// The unit on this device as far as the device list knows it: its USB serial
// number, by-id name and node when it is one of the USB devices attached.
JournalUnit identifyUnit(const QString& device, SerialDeviceFinder* finder);

// How a backup names the unit on this device: its USB serial number, else
// the device's name ("ttyS0", "COM1").
QString unitNameFor(const QString& device, SerialDeviceFinder& finder);
