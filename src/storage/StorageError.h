// The one error that file and settings operations raise; its text is shown to the user as is.
#pragma once

#include <QString>
#include <stdexcept>

class EStorageError : public std::runtime_error {
public:
    explicit EStorageError(const QString& text) : std::runtime_error(text.toStdString()) {}

    QString Text() const { return QString::fromStdString(what()); }
};
