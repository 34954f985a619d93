// Serves the result pages over the indexer's catalogue on a port of its own,
// for the results-server benchmark (run_bench.sh). Usage:
//   lf_results_bench_server <program folder with images/> <port>
// The catalogue is the one IndexerPaths names ($XDG_CACHE_HOME/...).
#include "search/BD.h"
#include "search/ResultsService.h"
#include "shell/SidebarServices.h"
#include "shell/UrlEncoding.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Balloons go to stderr; nothing is opened.
class ConsoleServices : public SidebarServices
{
public:
    void ShowBaloon(const QString& title, const QString& text, int, int) override
    {
        std::fprintf(stderr, "balloon: %s | %s\n", qPrintable(title), qPrintable(text));
    }
    void OpenURL(const QString&) override {}
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <program folder> <port>\n", argv[0]);
        return 2;
    }
    QString folder = QString::fromLocal8Bit(argv[1]);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    ConsoleServices services;
    ResultsService service(services, folder, 15, &UrlEncoding::encodeWebAddress,
                           BD::catalogStatements());
    service.start(QString::fromLocal8Bit(argv[2]).toInt());
    if (!service.isListening())
        return 1;
    std::printf("listening %d\n", service.port());
    std::fflush(stdout);
    return QCoreApplication::exec();
}
