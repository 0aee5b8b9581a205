// Entry points shared by the libFuzzer programs and the corpus replay test. Each takes one
// input and returns an empty string when every check held, else what went wrong.
#pragma once

#include <QByteArray>
#include <QString>

struct FuzzTarget
{
    const char *name; // also the corpus folder
    QString (*run)(const QByteArray &input);
};

extern const FuzzTarget fuzzTargets[];
extern const int fuzzTargetCount;
const FuzzTarget *findFuzzTarget(const char *name);

// The folder target splits its input into the six files at this byte; an empty piece is a
// missing file.
const char fuzzFileSeparator = '\x1e';
