#pragma once

#include <QString>

#include <cctype>
#include <ostream>
#include <string>

// Texts in failure messages as text, not as the bytes of the object.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A row name for a parameterised test: letters and digits kept, anything else
// an underscore, so the ctest name is readable and the same in every build.
inline std::string rowName(const std::string& text) {
    std::string name = text;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name.empty() ? std::string("empty") : name;
}
