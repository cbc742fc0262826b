#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// The fuzzer's bytes as a text, read as UTF-8.
inline QString text_of(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QByteArray bytes_of(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// One folder for the whole run; each input rewrites its files.
inline QDir &scratch()
{
    static QTemporaryDir dir;
    static QDir folder(dir.path());
    return folder;
}

inline void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

// An invariant that failed: libFuzzer keeps the input that broke it.
#define MUST(condition)                                                                            \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "broken: %s\n", #condition);                                      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
