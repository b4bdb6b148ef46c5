#pragma once

#include <ostream>

#include <QString>

// Readable QString values (and lists of them) in failure reports.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
