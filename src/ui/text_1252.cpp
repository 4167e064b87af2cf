#include "text_1252.h"

#include "form/messages.h"

namespace orvex {

QString fromAnsi(const std::string& bytes) {
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
#else
    return QString::fromStdU16String(Decoded1252(bytes));
#endif
}

}  // namespace orvex
