// The upcoming-events refresh against the step-by-step widening it replaces:
// one query per 30-day window until a window holds a row or 2200 is passed.
#include "organizer/EventStore.h"
#include "organizer/UpcomingEvents.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <climits>
#include <memory>
#include <sqlite3.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 11), QTime(10, 0));
const QDateTime kLimit(QDate(2200, 1, 1), QTime(0, 0));

enum class Fill
{
    Empty,
    Sparse,
    Dense
};

struct Fixture
{
    QTemporaryDir folder;
    std::unique_ptr<EventStore> store;
};

Fixture& fixture(Fill fill)
{
    static std::unique_ptr<Fixture> fixtures[3];
    auto& slot = fixtures[static_cast<int>(fill)];
    if (slot)
        return *slot;
    slot = std::make_unique<Fixture>();
    const QString path = slot->folder.filePath(QStringLiteral("Organaizer.db"));
    // Filled in one transaction through SQLite itself; the store writes one
    // transaction per change, which would take minutes here.
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, EventStore::schemaSql().toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Events (Start, Finish, Caption, Message) VALUES (?, ?, ?, ?)",
                       -1, &insert, nullptr);
    const auto add = [&](const QDateTime& start, const QString& caption) {
        const QByteArray s = EventTime::toText(start).toUtf8();
        const QByteArray f = EventTime::toText(start.addSecs(3600)).toUtf8();
        const QByteArray c = caption.toUtf8();
        sqlite3_bind_text(insert, 1, s.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, f.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, c.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, "details", -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    };
    if (fill == Fill::Sparse)
        add(QDateTime(QDate(2150, 6, 1), QTime(9, 0)), QStringLiteral("far away"));
    else if (fill == Fill::Dense)
        // 100 000 events, about one every half hour from a week from now on.
        for (int i = 0; i < 100000; ++i)
            add(kNow.addDays(8).addSecs(qint64(i) * 1800 + (i % 7) * 60),
                QStringLiteral("event %1").arg(i));
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    slot->store = std::make_unique<EventStore>(EventStore::openFile(path));
    return *slot;
}

// The refresh as first written: a fresh query per 30-day step, every row read.
std::vector<UpcomingRow> stepwise(const EventStore& store, const QString& period)
{
    const QDateTime near = kNow;
    QDateTime far = near.addDays(UpcomingEvents::periodDays(period));
    for (;;) {
        std::vector<UpcomingRow> rows = store.finishWindow(near, far, INT_MAX);
        if (!rows.empty())
            return rows;
        far = far.addDays(30);
        if (far > kLimit)
            return {};
    }
}

void run(benchmark::State& state, Fill fill, const char* period, bool baseline)
{
    Fixture& data = fixture(fill);
    const QString key = QString::fromLatin1(period);
    for (auto _ : state) {
        if (baseline)
            benchmark::DoNotOptimize(stepwise(*data.store, key));
        else
            benchmark::DoNotOptimize(UpcomingEvents::refresh(kNow, key, *data.store));
    }
}

} // namespace

BENCHMARK_CAPTURE(run, Empty_PDay_baseline, Fill::Empty, "PDay", true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, Empty_PDay_refresh, Fill::Empty, "PDay", false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, Sparse_PDay_baseline, Fill::Sparse, "PDay", true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, Sparse_PDay_refresh, Fill::Sparse, "PDay", false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, Dense100k_PDay_baseline, Fill::Dense, "PDay", true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, Dense100k_PDay_refresh, Fill::Dense, "PDay", false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, Dense100k_PCent_baseline, Fill::Dense, "PCent", true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(run, Dense100k_PCent_refresh, Fill::Dense, "PCent", false)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
