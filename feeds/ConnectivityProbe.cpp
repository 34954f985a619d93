#include "feeds/ConnectivityProbe.h"

#include <QElapsedTimer>

#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kPollSliceMs = 50;

class AddressList
{
public:
    AddressList(const QByteArray& host, const QByteArray& port)
    {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        if (getaddrinfo(host.constData(), port.constData(), &hints, &m_list) != 0)
            m_list = nullptr;
    }
    ~AddressList()
    {
        if (m_list)
            freeaddrinfo(m_list);
    }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    const addrinfo* first() const { return m_list; }

private:
    addrinfo* m_list = nullptr;
};

bool cancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

bool connectWithin(const addrinfo& address, QElapsedTimer& clock, int timeoutMs,
                   const std::atomic<bool>* cancel)
{
    const int fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          address.ai_protocol);
    if (fd < 0)
        return false;
    bool open = false;
    if (connect(fd, address.ai_addr, address.ai_addrlen) == 0) {
        open = true;
    } else if (errno == EINPROGRESS) {
        pollfd watch{fd, POLLOUT, 0};
        while (!cancelled(cancel)) {
            const qint64 left = timeoutMs - clock.elapsed();
            if (left <= 0)
                break;
            const int ready = poll(&watch, 1, static_cast<int>(qMin<qint64>(left, kPollSliceMs)));
            if (ready < 0 && errno != EINTR)
                break;
            if (ready > 0) {
                int error = 0;
                socklen_t length = sizeof error;
                open = getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
                break;
            }
        }
    }
    close(fd);
    return open;
}

} // namespace

bool InternetAvailable(const QString& host, int port, int timeoutMs,
                       const std::atomic<bool>* cancel)
{
    if (host.isEmpty() || port <= 0 || port > 65535)
        return false;
    QElapsedTimer clock;
    clock.start();
    const AddressList addresses(host.toUtf8(), QByteArray::number(port));
    for (const addrinfo* address = addresses.first(); address; address = address->ai_next) {
        if (cancelled(cancel) || clock.elapsed() >= timeoutMs)
            return false;
        if (connectWithin(*address, clock, timeoutMs, cancel))
            return true;
    }
    return false;
}
