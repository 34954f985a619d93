// Time to the complete ranked result of a phrase through StatementProvider,
// the way the results server asks: median and minimum of repeated runs.
//   lf_bench_index_query CATALOG RUNS PHRASE...
#include "indexer/StatementProvider.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: lf_bench_index_query CATALOG RUNS PHRASE...\n", stderr);
        return 2;
    }
    const StatementProvider provider(QString::fromLocal8Bit(argv[1]));
    const int runs = std::max(1, std::atoi(argv[2]));
    for (int i = 3; i < argc; ++i) {
        QString phrase = QString::fromLocal8Bit(argv[i]);
        phrase.replace(u'"', QStringLiteral("\"\"")).replace(u'\'', QStringLiteral("''"));
        const QString statement = QStringLiteral(" SELECT Filename, Size, Write, Path \r\n FROM "
                                                 "SCOPE('DEEP TRAVERSAL OF \"\\\"') \r\n WHERE "
                                                 "CONTAINS('\"%1\"') \r\n")
                                      .arg(phrase);
        std::vector<double> times;
        size_t rows = 0;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            rows = provider.run(statement).rows.size();
            times.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
        std::sort(times.begin(), times.end());
        std::printf("%s\t%zu\t%.3f\t%.3f\n", argv[i], rows, times[times.size() / 2], times.front());
    }
    return 0;
}
