#include "indexer/IndexCommand.h"

#include "indexer/Crawler.h"
#include "indexer/ExtractionGuard.h"
#include "indexer/FileCatalog.h"
#include "indexer/IndexParameters.h"
#include "indexer/IndexService.h"
#include "indexer/IndexerLog.h"
#include "indexer/IndexerPaths.h"
#include "indexer/StatementProvider.h"
#include "platform/InstanceLock.h"

#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

std::atomic<bool> g_stop{false};

void requestStop(int)
{
    g_stop = true;
}

void installStopHandlers()
{
    struct sigaction action
    {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signalNumber, &action, nullptr);
}

void print(const QString& text, FILE* stream = stdout)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

const char kUsage[] =
    "usage: lanternfly-index <command>\n"
    "  serve            index, then follow changes until ended (one per user)\n"
    "  update           bring the catalogue up to date once, then exit\n"
    "  query STATEMENT  run a desktop-search statement; one row per line, columns by tabs\n"
    "  search WORDS...  files holding the words as a phrase, one path per line, best first\n"
    "  stats            what the catalogue holds\n"
    "exit codes: 0 done (rows found), 1 no rows, 2 usage or statement error,\n"
    "            3 catalogue error, 4 a service already runs\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return IndexCommand::Usage;
}

QString formatValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'f', 8);
    return value.toString();
}

int runQuery(const QString& statement, bool pathsOnly)
{
    try {
        const StatementResult result =
            StatementProvider(IndexerPaths::catalogPath()).run(statement);
        if (pathsOnly) {
            const int path = result.columnIndex(QStringLiteral("Path"));
            // Rows come least relevant first; people want the best first.
            for (auto row = result.rows.rbegin(); row != result.rows.rend(); ++row)
                print(row->at(path).toString() + QLatin1Char('\n'));
        } else {
            for (const QVariantList& row : result.rows) {
                QStringList fields;
                for (const QVariant& value : row)
                    fields.append(formatValue(value));
                print(fields.join(QLatin1Char('\t')) + QLatin1Char('\n'));
            }
        }
        return result.rows.empty() ? IndexCommand::NoRows : IndexCommand::Ok;
    } catch (const StatementError& error) {
        print(QString::fromUtf8(error.what()) + QLatin1Char('\n'), stderr);
        const bool catalogProblem = !QFileInfo::exists(IndexerPaths::catalogPath()) ||
                                    QString::fromUtf8(error.what()).contains(u"cannot be read");
        return catalogProblem ? IndexCommand::CatalogError : IndexCommand::Usage;
    }
}

int runUpdate()
{
    const QString parameterPath = IndexerPaths::parameterFilePath();
    IndexParameters::ensureExists(parameterPath);
    const IndexParameters parameters = IndexParameters::load(parameterPath);
    FileCatalog catalog(IndexerPaths::catalogPath());
    try {
        catalog.open();
        const IndexPolicy policy(parameters.folders, parameters.excludePatterns,
                                 QFileInfo(catalog.path()).absolutePath());
        const TextExtractor extractor;
        ExtractionGuard guard(IndexerPaths::extractionMarkerPath());
        const std::string leftover = guard.takeLeftover();
        if (!leftover.empty())
            catalog.markNameOnly(leftover);
        Pacing pacing = Pacing::from(parameters);
        // A person waiting at the terminal gets no pauses.
        pacing.sleepPerFile = {};
        pacing.maxBytesPerSecond = 0;
        pacing.maxBatchTime = std::chrono::seconds(10);
        Crawler crawler(catalog, policy, extractor, pacing, &guard);
        crawler.setStopFlag(&g_stop);
        const bool terminal = ::isatty(STDERR_FILENO);
        auto lastShown = std::chrono::steady_clock::now();
        if (terminal)
            crawler.setProgress([&](const PassStats& stats) {
                const auto now = std::chrono::steady_clock::now();
                if (now - lastShown < std::chrono::milliseconds(100))
                    return;
                lastShown = now;
                std::fprintf(stderr, "\rindexing: %lld files, %lld read (%.1f MB)   ", stats.seen,
                             stats.indexed, static_cast<double>(stats.bytesRead) / 1e6);
            });
        const bool wasEmpty = catalog.stats().files == 0;
        const auto started = std::chrono::steady_clock::now();
        const PassStats stats = crawler.fullPass();
        // One merged index answers faster than the segments of many batches.
        if (wasEmpty && stats.indexed > 1000)
            catalog.optimize();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::fprintf(stderr,
                     "%sindexed in %.1f s: %lld files, %lld read, %lld removed, %lld unreadable, "
                     "%lld cut at a limit\n",
                     terminal ? "\r" : "", seconds, stats.seen, stats.indexed, stats.removed,
                     stats.unreadable, stats.truncated);
    } catch (const SqliteError& error) {
        std::fprintf(stderr, "catalogue error: %s\n", error.what());
        return IndexCommand::CatalogError;
    }
    return IndexCommand::Ok;
}

int runStats()
{
    FileCatalog catalog(IndexerPaths::catalogPath());
    if (!QFileInfo::exists(catalog.path())) {
        print(QStringLiteral("no catalogue at %1\n").arg(catalog.path()), stderr);
        return IndexCommand::CatalogError;
    }
    try {
        catalog.open();
        const CatalogStats stats = catalog.stats();
        qint64 bytes = 0;
        for (const char* suffix : {"", "-wal"})
            bytes += QFileInfo(catalog.path() + QLatin1String(suffix)).size();
        print(QStringLiteral("catalogue\t%1\nfiles\t%2\nbytes of files\t%3\nname only\t%4\n"
                             "catalogue bytes\t%5\nparameters\t%6\n")
                  .arg(catalog.path())
                  .arg(stats.files)
                  .arg(stats.bytesIndexed)
                  .arg(stats.nameOnly)
                  .arg(bytes)
                  .arg(IndexerPaths::parameterFilePath()));
    } catch (const SqliteError& error) {
        std::fprintf(stderr, "catalogue error: %s\n", error.what());
        return IndexCommand::CatalogError;
    }
    return IndexCommand::Ok;
}

int runServe()
{
    InstanceLock lock(IndexerPaths::serviceLockPath());
    switch (lock.tryAcquire()) {
    case InstanceLock::Result::Acquired:
        break;
    case InstanceLock::Result::HeldElsewhere:
        std::fputs("lanternfly-index: a service already runs for this user\n", stderr);
        return IndexCommand::AlreadyRunning;
    case InstanceLock::Result::Unavailable:
        qCWarning(lcIndexer).noquote()
            << "cannot take the service lock" << lock.path() << "-" << lock.error();
        break;
    }
    IndexService::Options options;
    options.catalogPath = IndexerPaths::catalogPath();
    options.parameterPath = IndexerPaths::parameterFilePath();
    options.markerPath = IndexerPaths::extractionMarkerPath();
    IndexService service(options, g_stop);
    return service.run();
}

} // namespace

int IndexCommand::run(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return usage();
    const QString command = arguments.at(1);
    installStopHandlers();
    if (command == u"serve" && arguments.size() == 2)
        return runServe();
    if (command == u"update" && arguments.size() == 2)
        return runUpdate();
    if (command == u"stats" && arguments.size() == 2)
        return runStats();
    if (command == u"query" && arguments.size() == 3)
        return runQuery(arguments.at(2), false);
    if (command == u"search" && arguments.size() >= 3) {
        // The words as one phrase, quotes doubled as the statement wants them.
        QString phrase = arguments.mid(2).join(QLatin1Char(' '));
        phrase.replace(u'"', QStringLiteral("\"\"")).replace(u'\'', QStringLiteral("''"));
        return runQuery(QStringLiteral("SELECT Path FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') "
                                       "WHERE CONTAINS('\"%1\"')")
                            .arg(phrase),
                        true);
    }
    if (command == u"--help" || command == u"-h" || command == u"help") {
        std::fputs(kUsage, stdout);
        return Ok;
    }
    return usage();
}
