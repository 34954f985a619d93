#pragma once

#include <QString>

#include <atomic>

// True when a TCP connection to host:port opens within timeoutMs. Nothing is
// sent; the connection is closed at once. Any failure (no address, refused,
// timed out, cancelled) gives false, never an exception. cancel, when given,
// is looked at every few tens of milliseconds.
bool InternetAvailable(const QString& host, int port, int timeoutMs,
                       const std::atomic<bool>* cancel = nullptr);
