// What the storage tests share: the text of a storage error, and files read and written whole.
#pragma once

#include "storage/StorageError.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// The message of the EStorageError that op raises, or "" when it raises none.
template <typename F> QString ErrorOf(F op) {
    try {
        op();
    } catch (const EStorageError& e) {
        return e.Text();
    }
    return {};
}

inline QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}
