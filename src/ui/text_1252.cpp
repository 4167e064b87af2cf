#include "text_1252.h"

#include "platform/text.h"

namespace orvex {

namespace {

[[maybe_unused]] QString fromWindows1252(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        text.append(QChar(Decode1252(byte)));
    }
    return text;
}

}  // namespace

QString fromAnsi(const std::string& bytes) {
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
#else
    return fromWindows1252(bytes);
#endif
}

}  // namespace orvex
