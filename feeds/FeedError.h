#pragma once

#include <QString>

#include <stdexcept>

// A failed download, an unreadable document or a value the feed cannot use.
// The worker's guard turns it into the feed's error notice.
class FeedError : public std::runtime_error
{
public:
    explicit FeedError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
