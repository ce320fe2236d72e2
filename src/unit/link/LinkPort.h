// Finding and opening the serial device behind a port text such as "COM1" or
// "USB1", and byte I/O on it with deadlines. Used by the link library only.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velklink {

using Clock = std::chrono::steady_clock;

// "COMn" (n >= 1) names /dev/ttyS(n-1); "USBn" names the n-th USB serial
// device of usbDevices, which lists /dev/ttyACM* before /dev/ttyUSB*. Nothing
// for any other text, "COM0" included. Case is ignored. A text starting with
// "/" is a device path and names itself.
std::optional<std::string> devicePathForPort(const std::string& port,
                                             const std::vector<std::string>& usbDevices);

// The USB serial devices present now, in the order devicePathForPort expects.
std::vector<std::string> listUsbSerialDevices();

// Whether the serial line can be set to this rate (1200 to 921600 baud).
bool isStandardBaud(int baud);

enum class OpenFailure { None, NoDevice, Permission, Busy, NotSerial, NoUart, Other };

// Opens a serial device in raw 8N1 mode at the given rate, non-blocking, with
// pending input and output discarded, and takes it for this program alone
// (TIOCEXCL and an exclusive flock, which other serial tools honour too).
// Returns the descriptor, or -1 with errno and, when given, *failure set.
int openSerialDevice(const std::string& path, int baud, OpenFailure* failure = nullptr);

enum class IoResult { Ok, Timeout, Gone };

// Writes all of bytes before the deadline.
IoResult writeAll(int fd, std::span<const uint8_t> bytes, Clock::time_point deadline);

// Waits until input is available or the deadline passes, then reads what is
// there (at most buffer.size() bytes) into buffer; count is set to the number
// read. Gone when the device has been hung up or removed.
IoResult readSome(int fd, std::span<uint8_t> buffer, Clock::time_point deadline, size_t& count);

} // namespace velklink
