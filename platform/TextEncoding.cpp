#include "platform/TextEncoding.h"

#include <QString>

namespace horvane {

std::string Utf16ToUtf8(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

} // namespace horvane
