#include "tests/feeds/StandInServer.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int listenOnLoopback(int backlog, int* fdOut)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    if (backlog > 0)
        listen(fd, backlog);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    *fdOut = fd;
    return ntohs(address.sin_port);
}

} // namespace

StandInServer::StandInServer() : m_server(std::make_unique<httplib::Server>())
{
    m_server->set_keep_alive_max_count(1);
    m_server->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Answer answer;
        {
            std::lock_guard lock(m_mutex);
            m_requests << QString::fromStdString(request.target);
            const auto found = m_answers.find(request.path);
            if (found == m_answers.end()) {
                response.status = 404;
                return;
            }
            answer = found->second;
        }
        if (answer.delay.count() > 0)
            std::this_thread::sleep_for(answer.delay);
        response.status = answer.status;
        if (!answer.location.empty())
            response.set_header("Location", answer.location);
        response.set_content(answer.body.toStdString(), answer.contentType);
    });
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() only ends a server that runs already.
    for (int i = 0; i < 2000 && !m_server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

StandInServer::~StandInServer()
{
    m_server->stop();
    m_thread.join();
}

void StandInServer::answer(const std::string& path, Answer answer)
{
    std::lock_guard lock(m_mutex);
    m_answers[path] = std::move(answer);
}

QStringList StandInServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

int StandInServer::closedPort()
{
    int fd = -1;
    const int port = listenOnLoopback(0, &fd);
    close(fd);
    return port;
}

SilentServer::SilentServer()
{
    m_port = listenOnLoopback(16, &m_fd);
}

SilentServer::~SilentServer()
{
    close(m_fd);
}
