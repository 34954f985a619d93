#pragma once

#include "platform/Clock.h"

// A clock the test sets and moves on.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime now) : m_now(std::move(now)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }

private:
    QDateTime m_now;
};
