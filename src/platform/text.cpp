#include "platform/text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace pf {

QString toQt(const std::string& cp1252) {
    QStringDecoder decode("windows-1252");
    return decode(QByteArrayView(cp1252.data(), qsizetype(cp1252.size())));
}

std::string fromQt(const QString& text) {
    QStringEncoder encode("windows-1252", QStringConverter::Flag::Default);
    const QByteArray bytes = encode(text);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return text;
}

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

bool iequals(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = char(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = char(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace pf
