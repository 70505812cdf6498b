#pragma once

#include <cstdint>
#include <string>

#include "link/EngineHosts.h"
#include "link/SerialDevices.h"

// Why the line failed: the system call that failed and the system's error
// number (0 when the call did not fail but found the line hung up).
struct PortFailure {
    const char* call;
    int error;
};
// "read: Input/output error", "read: the line hung up".
std::string describePortFailure(const PortFailure& failure);

// Receives what the port's receive thread hands over.
class SerialPortOwner {
public:
    virtual ~SerialPortOwner() = default;
    // Receive thread: a chunk (or a port failure) waits; the main thread must
    // call CSerialPort::deliverPending() soon (Qt: a queued call).
    virtual void requestDelivery() = 0;
    // Main thread, from deliverPending(): MSG_RX_CHUNK with the byte count now
    // in the receive buffer.
    virtual void onRxChunk(int n) = 0;
    // Main thread, from deliverPending() (or from OpenPort for settings the
    // line refused): the line failed. An event of its own, never a byte count.
    virtual void onPortError(const PortFailure& failure) = 0;
};

// One serial port (POSIX termios) and its receive thread, which does all
// reading and writing. Each chunk is what arrived up to a pause of 200 ms, at
// most 2048 bytes; it is copied to the receive buffer and handed to the main
// thread synchronously: the thread reads nothing more until the main thread
// has handled it.
class CSerialPort : public PortHost {
public:
    explicit CSerialPort(std::string deviceDir = kDefaultDeviceDir);
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens COM `portNumber` (outside 1..32 means 1) of the device directory
    // read/write, exclusive, raw 8N1 at the baud rate, RTS on, no flow
    // control, purged. Ends a running thread and closes a previous handle
    // first. False only when the device cannot be opened (no signal then).
    bool OpenPort(SerialPortOwner* owner, int portNumber, int baudRate, uint8_t* rxBuffer);
    // The same for a device path (the command-line tool's --device).
    bool OpenDevice(SerialPortOwner* owner, const std::string& path, int baudRate,
                    uint8_t* rxBuffer);
    // Why the last open failed: the system's error number (EWOULDBLOCK when
    // another program holds the line); 0 after an open that succeeded.
    int openError() const;
    // Starts the receive thread on the open port.
    bool StartThread();
    // Copies up to 512 bytes for the receive thread to write; not awaited.
    void QueueWrite(const uint8_t* data, int length);
    // Signals the thread to stop and waits until it has ended, at most 1000 ms.
    void StopThread();
    // Stops the thread and closes the device; isOpen() is false after it.
    void ClosePort();

    // Main thread: hands a waiting chunk to the owner and releases the thread.
    void deliverPending();

    bool threadAlive() const;
    bool isOpen() const;

    // PortHost
    void queueWrite(const uint8_t* data, int length) override { QueueWrite(data, length); }
    void stopThread() override { StopThread(); }
    void closePort() override { ClosePort(); }

private:
    struct Impl;
    Impl* impl_;
};
