// Reads a feed off the GUI thread behind a progress dialog with a cancel button; the window
// keeps answering meanwhile.
#pragma once

#include "gtfsfeed.h"

#include <memory>

class QWidget;

class FeedLoader
{
public:
    // Null when cancelled (error empty) or unreadable (error says why).
    static std::shared_ptr<GtfsFeed> load(QWidget *parent, const QString &path,
                                          GtfsFeed::Options options, QString *error);
    // A feed is a zip archive or a folder; a .txt file chosen inside a folder stands for it.
    static QString feedPath(const QString &chosen);
};
