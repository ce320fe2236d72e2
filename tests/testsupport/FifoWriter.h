// A FIFO with a writer waiting in open() on it, as a program feeding the
// FIFO would wait: it goes on only once somebody opens the FIFO for reading.
// Code that must refuse a FIFO unopened is checked by whether the writer was
// let go; a refusal that opened it first gives the same result otherwise.
#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <thread>

class FifoWriter {
public:
    // Makes the FIFO at `path` and returns once the writer waits in open().
    explicit FifoWriter(const QString& path);
    ~FifoWriter(); // lets a writer still waiting go
    FifoWriter(const FifoWriter&) = delete;
    FifoWriter& operator=(const FifoWriter&) = delete;

    // Whether the FIFO was made and the writer is waiting on it.
    bool isWaiting() const { return waiting_; }
    // Whether anybody opened the FIFO for reading since: the writer's open
    // returned (a wake-up takes microseconds; this waits up to half a second).
    bool wasReleased() const;

private:
    QByteArray path_;
    std::thread thread_;
    std::atomic<int> tid_{0};
    std::atomic<bool> released_{false};
    bool waiting_ = false;
};
