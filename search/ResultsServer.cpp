#include "search/ResultsServer.h"

#include "search/ResultsRequestHandler.h"
#include "search/SearchLog.h"
#include "shell/SidebarServices.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <httplib.h>
#include <mutex>
#include <vector>

namespace {

// A fixed pool whose queue of accepted connections is bounded: when it is
// full the listener waits, so a flood of connections costs no memory here.
class BoundedTaskQueue : public httplib::TaskQueue
{
public:
    BoundedTaskQueue(int threads, int queued) : m_limit(static_cast<std::size_t>(queued))
    {
        for (int i = 0; i < threads; ++i)
            m_threads.emplace_back([this] { work(); });
    }

    void enqueue(std::function<void()> task) override
    {
        std::unique_lock lock(m_mutex);
        m_spaceFree.wait(lock, [this] { return m_tasks.size() < m_limit || m_shutdown; });
        m_tasks.push_back(std::move(task));
        m_taskReady.notify_one();
    }

    void shutdown() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_shutdown = true;
        }
        m_taskReady.notify_all();
        m_spaceFree.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }

private:
    void work()
    {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock lock(m_mutex);
                m_taskReady.wait(lock, [this] { return !m_tasks.empty() || m_shutdown; });
                // Tasks already accepted still run: each one closes its socket.
                if (m_tasks.empty())
                    return;
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            m_spaceFree.notify_one();
            task();
        }
    }

    const std::size_t m_limit;
    std::mutex m_mutex;
    std::condition_variable m_taskReady;
    std::condition_variable m_spaceFree;
    std::deque<std::function<void()>> m_tasks;
    std::vector<std::thread> m_threads;
    bool m_shutdown = false;
};

QByteArray toBytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ResultsServer::ResultsServer(ResultsRequestHandler& handler, SidebarServices& services,
                             Options options, QObject* parent)
    : QObject(parent), m_handler(handler), m_services(services), m_options(options)
{
    m_retryTimer.setInterval(m_options.retryInterval);
    connect(&m_retryTimer, &QTimer::timeout, this, [this] {
        if (tryListen())
            m_retryTimer.stop();
    });
}

ResultsServer::~ResultsServer()
{
    stop();
}

void ResultsServer::start(int port)
{
    stop();
    m_port = port;
    m_failureAnnounced = false;
    if (!tryListen())
        m_retryTimer.start();
}

bool ResultsServer::tryListen()
{
    auto server = std::make_unique<httplib::Server>();
    const Options options = m_options;
    server->new_task_queue = [options] {
        return new BoundedTaskQueue(options.threads, options.queued);
    };
    server->set_read_timeout(options.readTimeout);
    server->set_write_timeout(options.writeTimeout);
    // One request per connection.
    server->set_keep_alive_max_count(1);
    server->set_payload_max_length(1024 * 1024);
    server->set_default_headers({{"Server", kServerName}});

    ResultsRequestHandler& handler = m_handler;
    const auto serve = [&handler](const httplib::Request& request, httplib::Response& response) {
        ResultsRequest in;
        in.peer = QString::fromStdString(request.remote_addr);
        in.target = toBytes(request.target);
        in.host = toBytes(request.get_header_value("Host"));
        in.contentType = toBytes(request.get_header_value("Content-Type"));
        in.body = toBytes(request.body);
        const ResultsAnswer answer = handler.SeverCommandGet(in);
        response.status = answer.status;
        response.set_content(answer.body.constData(), static_cast<std::size_t>(answer.body.size()),
                             answer.contentType.constData());
    };
    // Any path is a results request or a picture; the handler tells them apart.
    server->Get(".*", serve);
    server->Post(".*", serve);

    const int port = m_port == 0 ? server->bind_to_any_port("127.0.0.1")
                                 : (server->bind_to_port("127.0.0.1", m_port) ? m_port : -1);
    if (port <= 0) {
        const QString message =
            QStringLiteral("The desktop search cannot use port %1 of 127.0.0.1; it is probably "
                           "taken by another program. Trying again every %2 s.")
                .arg(m_port)
                .arg(double(m_options.retryInterval.count()) / 1000.0);
        if (!m_failureAnnounced) {
            qCWarning(lcSearch).noquote() << message;
            m_services.ShowBaloon(QStringLiteral("Error!"), message, SidebarServices::Error, 15);
        }
        m_failureAnnounced = true;
        return false;
    }
    m_boundPort = port;
    m_handler.setPort(port);
    httplib::Server* running = server.get();
    m_server = std::move(server);
    m_thread = std::thread([running] { running->listen_after_bind(); });
    // stop() only reaches a server that has started running.
    for (int i = 0; i < 2000 && !running->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    qCInfo(lcSearch) << "results server listening on 127.0.0.1 port" << port;
    emit listening(port);
    return true;
}

void ResultsServer::stop()
{
    m_retryTimer.stop();
    if (!m_server)
        return;
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
    m_boundPort = 0;
}
