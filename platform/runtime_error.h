#pragma once
// The one exception type for failures that are allowed to reach a caller. The
// number keeps the numbering the callers' messages were written against
// (53 file not found, 13 type mismatch, 5 invalid argument, ...).
#include <QString>
#include <stdexcept>

struct RuntimeError : std::runtime_error {
    int number;
    QString description;
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number(number), description(description) {}
};

namespace ErrorNumber {
constexpr int InvalidArgument = 5;
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int FileAlreadyExists = 58;
constexpr int PermissionDenied = 70;
constexpr int PathNotFound = 76;
constexpr int DatabaseError = 3000;
}  // namespace ErrorNumber
